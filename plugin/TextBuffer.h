// Copying texts into buffers the host owns: bounded, always terminated, and never through null.
#pragma once

#include <cstddef>

// Copies at most maxLen characters of source into text and terminates it; text must hold
// maxLen + 1 bytes. A null source copies nothing (the empty text); a null text writes nothing.
inline void copyText(char* text, const char* source, std::size_t maxLen) {
    if (text == nullptr) return;
    std::size_t length = 0;
    if (source != nullptr) {
        while (length < maxLen && source[length] != '\0') {
            text[length] = source[length];
            ++length;
        }
    }
    text[length] = '\0';
}
