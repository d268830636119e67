// A virtual X server started for the tests: Xvfb on a display number it picks itself, stopped
// again when the object goes.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbServer {
public:
    // The path of Xvfb found on PATH; empty when it is not installed.
    static std::string findProgram();

    // Starts `program` and waits until it accepts connections; running() tells whether it did.
    explicit XvfbServer(const std::string& program);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !name.empty(); }
    // ":N", for XOpenDisplay and DISPLAY.
    const std::string& displayName() const { return name; }
    pid_t pid() const { return child; }

private:
    pid_t child = -1;
    std::string name;
};
