// Runs a program as a user would from a shell and collects what it said.
#pragma once

#include <string>
#include <vector>

namespace zvtest {

struct ProgramResult {
    int exitStatus = -1;  // -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// stdin is /dev/null; stdout and stderr are captured separately.
ProgramResult runProgram(const std::vector<std::string>& arguments);

// The program runs on a pseudo-terminal; `out` holds everything it wrote there.
ProgramResult runOnTerminal(const std::vector<std::string>& arguments);

// zvhost as built beside the plug-in, with the given arguments.
ProgramResult runZvhost(const std::vector<std::string>& arguments);

// The lines of a text, without their line ends.
std::vector<std::string> lines(const std::string& text);

}  // namespace zvtest
