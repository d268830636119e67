// zvhost's command line: which command, on which files, with which settings.
#pragma once

#include "Renderer.h"
#include "Settings.h"

#include <optional>
#include <string>
#include <vector>

namespace zvhost {

enum class CommandKind { help, list, render, demo, editor };

struct Command {
    CommandKind kind = CommandKind::help;
    std::string pluginPath;                   // empty: the ZvDelay32 plug-in found by PluginSearch
    std::string input;                        // render
    std::string output;                       // render: the file; demo: the folder
    bool allPrograms = false;                 // demo
    std::optional<double> closeAfterSeconds;  // editor: ends by itself after this long
    std::string pngPath;                      // editor: saves a picture of it and ends
    RequestedSettings settings;
    RenderOptions options;
};

// Throws HostError (usage) with one line naming the problem.
Command parseCommandLine(const std::vector<std::string>& arguments);

std::string usageText();

constexpr VstInt32 kMaximumBlockSize = 65536;
constexpr double kMaximumTailSeconds = 3600.0;

}  // namespace zvhost
