// Memory handed to the effect with guard bytes on both sides. Afterwards the guards must hold
// their pattern: a write outside the block is caught even where the allocation around it would
// hide it from AddressSanitizer. Under AddressSanitizer the guards are also poisoned, so a read
// outside the block is reported at once.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#define ZV_POISON_GUARDS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZV_POISON_GUARDS 1
#endif
#endif
#ifdef ZV_POISON_GUARDS
#include <sanitizer/asan_interface.h>
#define ZV_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define ZV_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define ZV_POISON(address, size) ((void)(address), (void)(size))
#define ZV_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

template <typename T>
class GuardedBlock {
public:
    static constexpr std::size_t kGuardBytes = 64;
    static constexpr unsigned char kPattern = 0xA5;

    explicit GuardedBlock(std::size_t count)
        : length(count), storage(new unsigned char[kGuardBytes + count * sizeof(T) + kGuardBytes]) {
        std::memset(storage.get(), kPattern, kGuardBytes);
        std::memset(storage.get() + kGuardBytes, 0, count * sizeof(T));
        std::memset(storage.get() + kGuardBytes + count * sizeof(T), kPattern, kGuardBytes);
        poisonGuards();
    }
    ~GuardedBlock() { unpoisonGuards(); }
    GuardedBlock(const GuardedBlock&) = delete;
    GuardedBlock& operator=(const GuardedBlock&) = delete;

    T* data() { return reinterpret_cast<T*>(storage.get() + kGuardBytes); }
    const T* data() const { return reinterpret_cast<const T*>(storage.get() + kGuardBytes); }
    std::size_t size() const { return length; }
    T& operator[](std::size_t i) { return data()[i]; }
    void fill(T value) {
        for (std::size_t i = 0; i < length; ++i) data()[i] = value;
    }

    bool guardsIntact() {
        unpoisonGuards();
        bool intact = true;
        const unsigned char* after = storage.get() + kGuardBytes + length * sizeof(T);
        for (std::size_t i = 0; i < kGuardBytes; ++i) {
            intact = intact && storage[i] == kPattern && after[i] == kPattern;
        }
        poisonGuards();
        return intact;
    }

private:
    void poisonGuards() {
        ZV_POISON(storage.get(), kGuardBytes);
        ZV_POISON(storage.get() + kGuardBytes + length * sizeof(T), kGuardBytes);
    }
    void unpoisonGuards() {
        ZV_UNPOISON(storage.get(), kGuardBytes);
        ZV_UNPOISON(storage.get() + kGuardBytes + length * sizeof(T), kGuardBytes);
    }

    std::size_t length;
    std::unique_ptr<unsigned char[]> storage;
};
