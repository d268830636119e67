#include "CommandLine.h"

#include "HostError.h"

#include <cmath>
#include <cstdlib>
#include <optional>

namespace zvhost {

namespace {

[[noreturn]] void fail(const std::string& message) { throw HostError(ExitStatus::usage, message); }

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// "NAME=VALUE" with the value a number from 0 to 1, as every VST 2.4 parameter takes.
std::pair<std::string, float> parseSetting(const std::string& text) {
    const auto equals = text.rfind('=');
    if (equals == std::string::npos || equals == 0)
        fail("--set wants INDEX=VALUE or NAME=VALUE, not '" + text + "'");
    const std::string name = text.substr(0, equals);
    const auto value = parseNumber(text.substr(equals + 1));
    if (!value) fail("--set " + name + ": '" + text.substr(equals + 1) + "' is not a number");
    if (*value < 0.0 || *value > 1.0)
        fail("--set " + name + ": value " + text.substr(equals + 1) + " is outside 0..1");
    return {name, static_cast<float>(*value)};
}

class ArgumentList {
public:
    explicit ArgumentList(const std::vector<std::string>& arguments) : _arguments(arguments) {}

    bool done() const { return _next >= _arguments.size(); }
    std::string take() { return _arguments[_next++]; }

    // The value of an option given as "--name VALUE" or "--name=VALUE".
    std::string value(const std::string& option, const std::optional<std::string>& attached) {
        if (attached) return *attached;
        if (done()) fail(option + " needs a value");
        return take();
    }

private:
    const std::vector<std::string>& _arguments;
    std::size_t _next = 0;
};

bool takesOption(CommandKind kind, const std::string& option) {
    if (option == "--plugin") return true;
    switch (kind) {
        case CommandKind::render:
            return option == "--program" || option == "--set" || option == "--block" ||
                   option == "--tail";
        case CommandKind::demo:
            return option == "--program" || option == "--all";
        case CommandKind::editor:
            return option == "--program" || option == "--close-after" || option == "--png";
        default:
            return false;
    }
}

}  // namespace

Command parseCommandLine(const std::vector<std::string>& arguments) {
    Command command;
    if (arguments.empty()) fail("no command given (try zvhost --help)");

    ArgumentList list(arguments);
    const std::string name = list.take();
    if (name == "help" || name == "--help" || name == "-h") return command;
    if (name == "list")
        command.kind = CommandKind::list;
    else if (name == "render")
        command.kind = CommandKind::render;
    else if (name == "demo")
        command.kind = CommandKind::demo;
    else if (name == "editor")
        command.kind = CommandKind::editor;
    else
        fail("unknown command '" + name + "' (commands: list, render, demo, editor, help)");

    std::vector<std::string> positional;
    while (!list.done()) {
        std::string argument = list.take();
        if (argument == "--help" || argument == "-h") {
            command.kind = CommandKind::help;
            return command;
        }
        if (argument.size() < 2 || argument[0] != '-' || argument == "--") {
            if (argument == "--") {
                while (!list.done()) positional.push_back(list.take());
                break;
            }
            positional.push_back(argument);
            continue;
        }
        std::optional<std::string> attached;
        if (const auto equals = argument.find('='); equals != std::string::npos) {
            attached = argument.substr(equals + 1);
            argument.resize(equals);
        }
        if (!takesOption(command.kind, argument))
            fail("unknown option " + argument + " for " + name + " (try zvhost --help)");

        if (argument == "--plugin") {
            command.pluginPath = list.value(argument, attached);
            if (command.pluginPath.empty()) fail("--plugin needs a path");
        } else if (argument == "--program") {
            command.settings.program = list.value(argument, attached);
            if (command.settings.program.empty()) fail("--program needs a number or a name");
        } else if (argument == "--set") {
            command.settings.parameters.push_back(parseSetting(list.value(argument, attached)));
        } else if (argument == "--block") {
            const std::string text = list.value(argument, attached);
            const auto value = parseNumber(text);
            if (!value || *value != std::floor(*value) || *value < 1 || *value > kMaximumBlockSize)
                fail("--block wants a whole number of samples from 1 to " +
                     std::to_string(kMaximumBlockSize) + ", not '" + text + "'");
            command.options.blockSize = static_cast<VstInt32>(*value);
        } else if (argument == "--tail") {
            const std::string text = list.value(argument, attached);
            const auto value = parseNumber(text);
            if (!value || *value < 0 || *value > kMaximumTailSeconds)
                fail("--tail wants seconds from 0 to " +
                     std::to_string(static_cast<int>(kMaximumTailSeconds)) + ", not '" + text +
                     "'");
            command.options.tailSeconds = *value;
        } else if (argument == "--close-after") {
            const std::string text = list.value(argument, attached);
            const auto value = parseNumber(text);
            if (!value || *value < 0.0) fail("--close-after wants seconds, not '" + text + "'");
            command.closeAfterSeconds = *value;
        } else if (argument == "--png") {
            command.pngPath = list.value(argument, attached);
            if (command.pngPath.empty()) fail("--png needs a file name");
        } else if (argument == "--all") {
            if (attached) fail("--all takes no value");
            command.allPrograms = true;
        }
    }

    switch (command.kind) {
        case CommandKind::list:
        case CommandKind::editor:
            if (positional.size() > 1) fail(name + " takes at most one plug-in");
            if (positional.size() == 1) {
                if (!command.pluginPath.empty())
                    fail("give the plug-in either as an argument or with --plugin");
                command.pluginPath = positional[0];
            }
            break;
        case CommandKind::render:
            if (positional.size() != 2) fail("render needs an input file and an output file");
            command.input = positional[0];
            command.output = positional[1];
            if (command.input.empty() || command.output.empty())
                fail("render needs non-empty file names");
            break;
        case CommandKind::demo:
            if (positional.size() > 1) fail("demo takes at most one output folder");
            command.output = positional.empty() ? "zvhost-demo" : positional[0];
            if (command.allPrograms && !command.settings.program.empty())
                fail("give either --all or --program, not both");
            break;
        case CommandKind::help:
            break;
    }
    return command;
}

std::string usageText() {
    return R"(zvhost: hear and inspect VST 2.4 plug-ins from the command line

usage:
  zvhost list [PLUGIN]
      names, identity, parameters (index, name, label, value, display) and programs
  zvhost render IN OUT [--program N|NAME] [--set INDEX|NAME=VALUE]... [--block N]
                [--tail SECONDS] [--plugin PATH]
      runs an audio file (any format libsndfile reads, mono or stereo) through the plug-in at
      the file's own sample rate; OUT is 32-bit float WAV unless its extension is .flac, .ogg,
      .aiff, .caf, .w64 or .au. Defaults: block 512, tail 2 seconds.
  zvhost demo [OUTDIR] [--program N|NAME | --all] [--plugin PATH]
      makes a short stereo phrase, renders it through a program ("SlapBack" unless told
      otherwise, every program with --all) and writes the WAVs and a PNG of the waveforms
      into OUTDIR (default: zvhost-demo)
  zvhost editor [PLUGIN] [--program N|NAME] [--close-after SECONDS] [--png FILE]
      opens the plug-in's editor in a window of its own (X11) and prints the parameters it
      changes; --png saves a picture of the editor and ends
  zvhost help

Without --plugin, zvhost uses the ZvDelay32.so beside it, else the installed one.
Exit status: 0 done, 2 bad command line, 3 plug-in failed to load, 4 bad input file,
5 output not written, 1 anything else.
)";
}

}  // namespace zvhost
