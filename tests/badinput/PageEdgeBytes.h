// Bytes that end exactly where an inaccessible page begins: reading or writing a single byte
// past them stops the test with a fault, in every build, sanitized or not.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>

class PageEdgeBytes {
public:
    explicit PageEdgeBytes(std::size_t count) : size(count) {
        page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        span = ((count + page - 1) / page + 1) * page;
        void* mapped =
            mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) throw std::runtime_error("mmap failed");
        base = static_cast<unsigned char*>(mapped);
        if (mprotect(base + span - page, page, PROT_NONE) != 0) {
            munmap(base, span);
            throw std::runtime_error("mprotect failed");
        }
    }
    ~PageEdgeBytes() { munmap(base, span); }
    PageEdgeBytes(const PageEdgeBytes&) = delete;
    PageEdgeBytes& operator=(const PageEdgeBytes&) = delete;

    char* data() { return reinterpret_cast<char*>(base + span - page - size); }
    std::size_t length() const { return size; }
    void fill(char c) { std::memset(data(), c, size); }

private:
    std::size_t size;
    std::size_t page = 0;
    std::size_t span = 0;
    unsigned char* base = nullptr;
};
