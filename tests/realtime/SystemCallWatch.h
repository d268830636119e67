// Runs a piece of work on a thread of its own, under a seccomp filter that turns every system
// call of that thread into a signal: the call is counted and refused (it fails with ENOSYS)
// instead of reaching the kernel. Real-time code must make none; this proves it did not.
#pragma once

#include <functional>
#include <string>

struct SystemCallReport {
    bool filterInstalled = false;  // false where the kernel or a sandbox does not allow filters
    std::string whyNot;            // when not installed
    long calls = 0;
    long firstCallNumber = -1;  // the number of the first system call made, for the message
};

SystemCallReport countSystemCalls(const std::function<void()>& work);
