#include "Commands.h"

#include "DemoPhrase.h"
#include "HostError.h"
#include "PluginInfo.h"
#include "PluginSearch.h"
#include "WaveformPicture.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace zvhost {

namespace fs = std::filesystem;

namespace {

constexpr double kDemoTailSeconds = 2.0;

// "Repeat After Me" becomes "Repeat-After-Me": letters, digits and single dashes only.
std::string fileNamePart(const std::string& name) {
    std::string part;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0)
            part += c;
        else if (!part.empty() && part.back() != '-')
            part += '-';
    }
    while (!part.empty() && part.back() == '-') part.pop_back();
    return part.empty() ? "program" : part;
}

std::string numbered(std::size_t index, const std::string& name) {
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%02zu-", index);
    return prefix + fileNamePart(name);
}

// The programs to render, by index; no index means the plug-in's own current settings.
std::vector<std::optional<VstInt32>> chosenPrograms(const Command& command, const std::string& path,
                                                    std::vector<std::string>& names) {
    Plugin plugin(path);
    names = programNames(plugin);
    std::vector<std::optional<VstInt32>> chosen;
    if (command.allPrograms) {
        for (std::size_t i = 0; i < names.size(); ++i)
            chosen.emplace_back(static_cast<VstInt32>(i));
    } else if (!command.settings.program.empty()) {
        chosen.emplace_back(findProgram(plugin, command.settings.program));
    } else {
        std::optional<VstInt32> fallback;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (names[i] == kDemoDefaultProgram) fallback = static_cast<VstInt32>(i);
        chosen.push_back(fallback);
    }
    return chosen;
}

}  // namespace

void runDemo(const Command& command, std::ostream& out) {
    const std::string path = command.pluginPath.empty() ? defaultPluginPath() : command.pluginPath;
    std::vector<std::string> names;
    const auto programs = chosenPrograms(command, path, names);

    const fs::path folder = fs::absolute(command.output);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        throw HostError(ExitStatus::output,
                        "cannot make the folder " + folder.string() + ": " +
                            (error ? error.message() : "a file of that name is in the way"));

    const Audio input = synthesizeDemoPhrase(kDemoSampleRate);
    const std::string inputPath = (folder / "input.wav").string();
    writeAudio(inputPath, input);
    out << "input    " << inputPath << '\n';

    RenderOptions options;
    options.tailSeconds = kDemoTailSeconds;
    for (const auto& program : programs) {
        Plugin plugin(path);
        const std::string name =
            program ? names[static_cast<std::size_t>(*program)] : effectName(plugin);
        const std::string stem =
            program ? numbered(static_cast<std::size_t>(*program), name) : fileNamePart(name);
        ResolvedSettings settings;
        settings.program = program;
        const Audio output = render(plugin, input, settings, options);

        const std::string wavPath = (folder / (stem + ".wav")).string();
        const std::string pngPath = (folder / (stem + ".png")).string();
        writeAudio(wavPath, output);
        drawWaveformPicture(input, output,
                            "program " + (program ? std::to_string(*program) + " " : "") + "\"" +
                                name + "\": input (blue) and output (orange)",
                            pngPath);
        out << "output   " << wavPath << '\n' << "picture  " << pngPath << '\n';
    }
}

}  // namespace zvhost
