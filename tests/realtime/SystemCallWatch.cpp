#include "SystemCallWatch.h"

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <thread>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> calls{0};
std::atomic<long> firstCall{-1};

void onTrappedCall(int, siginfo_t* info, void* context) {
    if (counting.load()) {
        if (calls.fetch_add(1) == 0) firstCall.store(info->si_syscall);
    }
    // The call did not happen; whoever made it sees it fail.
    static_cast<ucontext_t*>(context)->uc_mcontext.gregs[REG_RAX] = -ENOSYS;
}

// Every system call traps, except those a thread needs to return from the signal and to end.
bool installFilter(std::string& whyNot) {
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_rt_sigreturn, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_exit, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_exit_group, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    sock_fprog filter{static_cast<unsigned short>(sizeof(program) / sizeof(program[0])), program};
    if (prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
        whyNot = std::string("PR_SET_NO_NEW_PRIVS: ") + std::strerror(errno);
        return false;
    }
    // Without SECCOMP_FILTER_FLAG_TSYNC the filter binds this thread alone.
    if (syscall(__NR_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) != 0) {
        whyNot = std::string("seccomp: ") + std::strerror(errno);
        return false;
    }
    return true;
}
}  // namespace

SystemCallReport countSystemCalls(const std::function<void()>& work) {
    struct sigaction trap {};
    struct sigaction before {};
    trap.sa_sigaction = onTrappedCall;
    trap.sa_flags = SA_SIGINFO;
    sigemptyset(&trap.sa_mask);
    sigaction(SIGSYS, &trap, &before);

    SystemCallReport report;
    calls.store(0);
    firstCall.store(-1);
    std::thread watched([&] {
        report.filterInstalled = installFilter(report.whyNot);
        if (!report.filterInstalled) return;
        counting.store(true);
        work();
        counting.store(false);
        // From here the thread only ends; what it asks of the kernel on the way is refused
        // harmlessly (the release of its unused stack pages).
    });
    watched.join();
    sigaction(SIGSYS, &before, nullptr);
    report.calls = calls.load();
    report.firstCallNumber = firstCall.load();
    return report;
}
