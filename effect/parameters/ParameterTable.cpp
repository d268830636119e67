#include "ParameterTable.h"

const std::array<ParameterRow, kNumParams> kParameterTable = {{
    {kDelay, "Delay", "samples", DisplayRule::DelayInSamples},
    {kFeedBack, "FeedBack", "amount", DisplayRule::Fraction},
    {kLowPass, "lowPass", "%", DisplayRule::Fraction},
    {kHighPass, "highPass", "%", DisplayRule::Fraction},
    {kLowPassType, "lowPass Type", "on/off", DisplayRule::Switch},
    {kHighPassType, "highPass Type", "on/off", DisplayRule::Switch},
    {kPan, "Left/Right", "left/right", DisplayRule::Fraction},
    {kPanDepth, "Pan Depth", "%", DisplayRule::Fraction},
    {kMix, "MIX", "%", DisplayRule::Fraction},
}};

const ParameterRow* parameterRow(std::int32_t index) {
    if (static_cast<std::uint32_t>(index) >= kParameterTable.size()) return nullptr;
    return &kParameterTable[static_cast<std::size_t>(index)];
}
