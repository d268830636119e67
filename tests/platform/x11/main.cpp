// The X11 tests run against a virtual X server they start themselves. Without Xvfb they are
// skipped (exit code 77, which ctest counts as skipped).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "XvfbServer.h"

XvfbServer* theServer = nullptr;

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
    const std::string program = XvfbServer::findProgram();
    if (program.empty()) {
        std::printf(
            "SKIPPED: Xvfb is not installed (Debian package xvfb); the X11 tests need it\n");
        return 77;
    }
    XvfbServer server(program);
    if (!server.running()) {
        std::fprintf(stderr, "Xvfb (%s) did not start\n", program.c_str());
        return 1;
    }
    setenv("DISPLAY", server.displayName().c_str(), 1);
    theServer = &server;
    const int result = RUN_ALL_TESTS();
    theServer = nullptr;
    return result;
}
