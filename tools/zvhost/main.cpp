// zvhost: a command-line VST 2.4 host for hearing and inspecting plug-ins.
#include "CommandLine.h"
#include "Commands.h"
#include "HostError.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    using namespace zvhost;
    try {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        const Command command = parseCommandLine(arguments);
        switch (command.kind) {
            case CommandKind::help:
                std::cout << usageText();
                break;
            case CommandKind::list:
                runList(command, std::cout);
                break;
            case CommandKind::render:
                runRender(command, std::cout);
                break;
            case CommandKind::demo:
                runDemo(command, std::cout);
                break;
            case CommandKind::editor:
                runEditor(command, std::cout);
                break;
        }
        std::cout.flush();
        return std::cout ? 0 : static_cast<int>(ExitStatus::failure);
    } catch (const HostError& error) {
        std::cerr << "zvhost: " << error.what() << '\n';
        return static_cast<int>(error.status());
    } catch (const std::exception& error) {
        std::cerr << "zvhost: " << error.what() << '\n';
        return static_cast<int>(ExitStatus::failure);
    }
}
