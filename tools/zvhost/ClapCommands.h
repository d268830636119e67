// zvhost's commands for a CLAP plug-in (a path ending in .clap): the same list, render and editor
// as for a VST 2 plug-in, through our CLAP host. Programs are the plug-in's presets, chosen by
// number or name; parameters by id or name.
#pragma once

#include <ostream>
#include <string>

#include "AudioFile.h"
#include "CommandLine.h"

namespace zvhost {

bool isClapFile(const std::string& path);

void runClapList(const std::string& path, std::ostream& out);
Audio renderClap(const std::string& path, const Audio& input, const Command& command);
void runClapEditor(const std::string& path, const Command& command, std::ostream& out);

}  // namespace zvhost
