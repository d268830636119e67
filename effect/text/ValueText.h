// Numbers as the short texts hosts show for parameters and pins. Every conversion writes into a
// buffer of maxLen + 1 bytes: the text cut to maxLen characters, then zeros up to and including
// byte maxLen, and nothing beyond it. A null buffer is left alone; a negative maxLen counts as 0.
#pragma once

#include <cstdint>

namespace valuetext {

// The buffer rule on its own: copies source (null counts as empty) under the limit above.
void writeText(const char* source, char* text, std::int32_t maxLen);

// Eight characters with the point always present and the digits truncated, or "Huge!" for
// values too large to show, or "NaN".
void float2string(float value, char* text, std::int32_t maxLen);

// The digits without leading zeros, or "Huge!" for values too large to show.
void int2string(std::int32_t value, char* text, std::int32_t maxLen);

// The numbers the unit conversions format, so that callers can route them through a formatter
// of their own.
float decibelsOf(float gain);                    // gain must be above 0
float hertzOf(float samples, float sampleRate);  // 0 for a period of 0 samples
float millisecondsOf(float samples, float sampleRate);

// A linear gain in decibels; "-oo" for a gain of 0 or below.
void dB2string(float gain, char* text, std::int32_t maxLen);
// The frequency whose period is the given number of samples.
void Hz2string(float samples, float sampleRate, char* text, std::int32_t maxLen);
// The duration of the given number of samples in milliseconds.
void ms2string(float samples, float sampleRate, char* text, std::int32_t maxLen);

}  // namespace valuetext
