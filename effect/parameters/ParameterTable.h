// The nine parameters, one row each: what the host shows for them and the short symbol under which
// a plug-in format stores them. Where each is kept is in ParameterFields.h; which control moves it
// in the editor's layout.
#pragma once

#include <array>
#include <cstdint>

enum ParameterIndex : std::int32_t {
    kDelay = 0,
    kFeedBack,
    kLowPass,
    kHighPass,
    kLowPassInLoop,
    kHighPassInLoop,
    kPan,
    kPanWidth,
    kMix,
    kNumParams
};

// How a parameter's current value becomes its display text (at most 8 characters).
enum class DisplayRule {
    DelayInSamples,  // the delay length in samples, not the parameter value
    Fraction,        // the plain 0..1 value, decimals truncated
    Switch,          // 1 when on, 0 when off
};

struct ParameterRow {
    ParameterIndex index;
    const char* symbol;  // lower case, digits and underscores; never changes once published
    const char* name;    // at most 13 characters: hosts must give 14
    const char* label;   // the unit; "%" goes with the plain 0..1 value
    DisplayRule display;
};

extern const std::array<ParameterRow, kNumParams> kParameterTable;

// The row of an index, or null for an index outside the table (negative ones included).
const ParameterRow* parameterRow(std::int32_t index);
