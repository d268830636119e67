#include "ParameterTable.h"

const std::array<ParameterRow, kNumParams> kParameterTable = {{
    {kDelay, "delay", "Delay", "samples", DisplayRule::DelayInSamples},
    {kFeedBack, "feedback", "FeedBack", "amount", DisplayRule::Fraction},
    {kLowPass, "low_pass", "lowPass", "%", DisplayRule::Fraction},
    {kHighPass, "high_pass", "highPass", "%", DisplayRule::Fraction},
    {kLowPassInLoop, "low_pass_type", "lowPass Type", "on/off", DisplayRule::Switch},
    {kHighPassInLoop, "high_pass_type", "highPass Type", "on/off", DisplayRule::Switch},
    {kPan, "left_right", "Left/Right", "left/right", DisplayRule::Fraction},
    {kPanWidth, "pan_depth", "Pan Depth", "%", DisplayRule::Fraction},
    {kMix, "mix", "MIX", "%", DisplayRule::Fraction},
}};

const ParameterRow* parameterRow(std::int32_t index) {
    if (static_cast<std::uint32_t>(index) >= kParameterTable.size()) return nullptr;
    return &kParameterTable[static_cast<std::size_t>(index)];
}
