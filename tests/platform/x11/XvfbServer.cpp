#include "XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>

std::string XvfbServer::findProgram() {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':')) {
        const std::string candidate = (folder.empty() ? "." : folder) + "/Xvfb";
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

XvfbServer::XvfbServer(const std::string& program) {
    // Xvfb picks a free display number itself and writes it to the pipe once it accepts
    // connections: no race with other servers, and no polling for its socket.
    int fds[2];
    if (pipe(fds) != 0) return;
    child = fork();
    if (child == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execl(program.c_str(), "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
              "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        return;
    }
    std::string number;
    pollfd waiting{fds[0], POLLIN, 0};
    while (poll(&waiting, 1, 20000) > 0) {
        char c = 0;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (!number.empty()) name = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (child <= 0) return;
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
}
