#include "AudioEffect.h"
#include "ValueText.h"

// The effect's conversions format through its own float2string and read its own sample rate,
// so an effect that overrides either changes all of them.

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
    if (value <= 0.0f) {
        valuetext::writeText("-oo", text, maxLen);
        return;
    }
    float2string(valuetext::decibelsOf(value), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    float2string(valuetext::hertzOf(samples, getSampleRate()), text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    float2string(valuetext::millisecondsOf(samples, getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
    valuetext::float2string(value, text, maxLen);
}

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
    valuetext::int2string(value, text, maxLen);
}
