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

// The same, and a terminator at the limit too, whatever the text's length: the host's buffer
// then ends at its last byte even where the host left something of its own after the text, for
// a host that measures the text against the buffer rather than by its first terminator. The
// bytes between the two terminators keep what the host had there; text must hold maxLen + 1.
inline void copyTextEndingAtLimit(char* text, const char* source, std::size_t maxLen) {
    if (text == nullptr) return;
    copyText(text, source, maxLen);
    text[maxLen] = '\0';
}
