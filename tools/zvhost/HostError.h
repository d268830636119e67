// What goes wrong in zvhost, and the exit status it ends with. Each failure is one line of text on
// stderr; the status tells scripts which kind of input was at fault.
#pragma once

#include <stdexcept>
#include <string>

namespace zvhost {

enum class ExitStatus : int {
    ok = 0,
    failure = 1,  // anything not listed below
    usage = 2,    // the command line: unknown command or option, bad number, unknown program
    plugin = 3,   // the plug-in could not be loaded or instantiated
    input = 4,    // the input file: missing, unreadable, not audio, too many channels
    output = 5,   // the output: not writable, unknown format, would overwrite the input
};

class HostError : public std::runtime_error {
public:
    HostError(ExitStatus status, const std::string& message)
        : std::runtime_error(message), _status(status) {}
    ExitStatus status() const { return _status; }

private:
    ExitStatus _status;
};

}  // namespace zvhost
