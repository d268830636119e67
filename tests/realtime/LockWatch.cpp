// The pthread lock entry points, counted and passed on to the C library's. std::mutex and every
// other lock of the C++ runtime end in one of these.
#include <dlfcn.h>
#include <pthread.h>

#include <atomic>

#include "WatchCounters.h"

namespace {
// The C library's own function of that name, looked up on first use (dlsym takes no lock of
// these kinds; the value found is the same for every thread).
template <typename Function>
Function passOn(std::atomic<Function>& slot, const char* name) {
    Function function = slot.load(std::memory_order_relaxed);
    if (function == nullptr) {
        function = reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
        slot.store(function, std::memory_order_relaxed);
    }
    return function;
}

using MutexCall = int (*)(pthread_mutex_t*);
using TimedMutexCall = int (*)(pthread_mutex_t*, const struct timespec*);
using RwLockCall = int (*)(pthread_rwlock_t*);

std::atomic<MutexCall> mutexLock{nullptr}, mutexTryLock{nullptr};
std::atomic<TimedMutexCall> mutexTimedLock{nullptr};
std::atomic<RwLockCall> readLock{nullptr}, writeLock{nullptr};
std::atomic<RwLockCall> tryReadLock{nullptr}, tryWriteLock{nullptr};
}  // namespace

extern "C" {
int pthread_mutex_lock(pthread_mutex_t* mutex) {
    watch_counters::countLock();
    return passOn(mutexLock, "pthread_mutex_lock")(mutex);
}
int pthread_mutex_trylock(pthread_mutex_t* mutex) {
    watch_counters::countLock();
    return passOn(mutexTryLock, "pthread_mutex_trylock")(mutex);
}
int pthread_mutex_timedlock(pthread_mutex_t* mutex, const struct timespec* until) {
    watch_counters::countLock();
    return passOn(mutexTimedLock, "pthread_mutex_timedlock")(mutex, until);
}
int pthread_rwlock_rdlock(pthread_rwlock_t* lock) {
    watch_counters::countLock();
    return passOn(readLock, "pthread_rwlock_rdlock")(lock);
}
int pthread_rwlock_wrlock(pthread_rwlock_t* lock) {
    watch_counters::countLock();
    return passOn(writeLock, "pthread_rwlock_wrlock")(lock);
}
int pthread_rwlock_tryrdlock(pthread_rwlock_t* lock) {
    watch_counters::countLock();
    return passOn(tryReadLock, "pthread_rwlock_tryrdlock")(lock);
}
int pthread_rwlock_trywrlock(pthread_rwlock_t* lock) {
    watch_counters::countLock();
    return passOn(tryWriteLock, "pthread_rwlock_trywrlock")(lock);
}
}
