// zvhost's commands. Each writes its report to `out` and throws HostError on failure.
#pragma once

#include "CommandLine.h"

#include <ostream>
#include <string>

namespace zvhost {

void runList(const Command& command, std::ostream& out);
void runRender(const Command& command, std::ostream& out);
void runDemo(const Command& command, std::ostream& out);
void runEditor(const Command& command, std::ostream& out);

// The sample rate and block size the plug-in is opened with for `list`; the Delay display, a
// length in samples, depends on the rate.
constexpr float kListSampleRate = 44100.0f;
constexpr VstInt32 kListBlockSize = 512;

constexpr int kDemoSampleRate = 48000;
constexpr const char* kDemoDefaultProgram = "SlapBack";

}  // namespace zvhost
