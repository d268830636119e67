// The fuzzer's input read as a stream of choices. Running out of bytes is not an error: every
// read then answers zero, so any input, however short, describes a complete session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class FuzzBytes {
public:
    FuzzBytes(const std::uint8_t* data, std::size_t size) : next(data), left(size) {}

    bool exhausted() const { return left == 0; }

    std::uint8_t byte() {
        if (left == 0) return 0;
        --left;
        return *next++;
    }

    // The next sizeof(T) bytes taken as the bits of a T.
    template <typename T>
    T raw() {
        unsigned char bits[sizeof(T)] = {};
        for (unsigned char& b : bits) b = byte();
        T value;
        std::memcpy(&value, bits, sizeof(T));
        return value;
    }

    // A number in 0..count-1 (0 for a count of 0).
    std::uint32_t below(std::uint32_t count) {
        if (count == 0) return 0;
        if (count <= 256) return byte() % count;
        return raw<std::uint32_t>() % count;
    }

    // Up to maxLength bytes, any values, zero bytes included.
    std::string bytes(std::size_t maxLength) {
        std::string text(below(static_cast<std::uint32_t>(maxLength) + 1), '\0');
        for (char& c : text) c = static_cast<char>(byte());
        return text;
    }

private:
    const std::uint8_t* next;
    std::size_t left;
};
