// The host's 16-bit texts, for names and numbers that are plain ASCII on our side.
#pragma once

#include <cstddef>

#include "Vst3Base.h"

namespace utf16 {

// `source` (null counts as empty) into a String128, cut to 127 characters and terminated.
inline void copyInto(vst3::String128 target, const char* source) {
    std::size_t length = 0;
    if (source != nullptr) {
        for (; length < 127 && source[length] != '\0'; ++length) {
            target[length] = static_cast<unsigned char>(source[length]);
        }
    }
    target[length] = u'\0';
}

// A host's text as ASCII into `target` of `capacity` bytes; false for a character beyond ASCII,
// a text too long, or a null one.
inline bool asciiOf(const vst3::char16* source, char* target, std::size_t capacity) {
    if (source == nullptr || capacity == 0) return false;
    for (std::size_t i = 0; i + 1 < capacity; ++i) {
        if (source[i] == u'\0') {
            target[i] = '\0';
            return true;
        }
        if (source[i] > 0x7F) return false;
        target[i] = static_cast<char>(source[i]);
    }
    return false;
}

}  // namespace utf16
