// The process's resident memory, to see whether closed instances give theirs back. Sanitizer
// builds hold freed memory in quarantine on purpose; there LeakSanitizer does this job.
#pragma once

#include <unistd.h>

#include <cstdio>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZV_MEMORY_IS_QUARANTINED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZV_MEMORY_IS_QUARANTINED 1
#endif
#endif
#ifndef ZV_MEMORY_IS_QUARANTINED
#define ZV_MEMORY_IS_QUARANTINED 0
#endif

inline long residentKilobytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
