#include "RunProgram.h"

#include "TestFiles.h"

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>
#include <stdexcept>

namespace zvtest {

namespace {

std::vector<char*> argumentVector(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

int waitFor(pid_t child) {
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProgramResult runProgram(const std::vector<std::string>& arguments) {
    TemporaryFolder folder;
    const std::string outPath = folder.file("out"), errPath = folder.file("err");
    auto argv = argumentVector(arguments);
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(in, 0);
        ::dup2(out, 1);
        ::dup2(err, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ProgramResult result;
    result.exitStatus = waitFor(child);
    result.out = readBytes(outPath);
    result.err = readBytes(errPath);
    return result;
}

ProgramResult runOnTerminal(const std::vector<std::string>& arguments) {
    auto argv = argumentVector(arguments);
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child < 0) throw std::runtime_error("forkpty failed");
    if (child == 0) {
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ProgramResult result;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(terminal, buffer, sizeof buffer);
        if (got <= 0) break;  // EIO once the child has gone
        result.out.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(terminal);
    result.exitStatus = waitFor(child);
    return result;
}

ProgramResult runZvhost(const std::vector<std::string>& arguments) {
    std::vector<std::string> all{ZVHOST_PATH};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return runProgram(all);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
}

}  // namespace zvtest
