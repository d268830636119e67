// The component's state through a host's stream: round trips, and what it refuses.
#include "MemoryStream.h"
#include "Vst3Identity.h"
#include "Vst3TestHost.h"

namespace {

std::vector<double> valuesOf(Vst3Instance& instance) {
    std::vector<double> values;
    for (vst3::ParamID id = 0; id < 9; ++id)
        values.push_back(instance.controller().getParamNormalized(id));
    values.push_back(instance.controller().getParamNormalized(vst3id::kProgramChangeId));
    return values;
}

}  // namespace

TEST_F(Vst3AndVst2, StateRoundTripsThroughStreamsThatMoveOneByteACall) {
    auto saved = newVst3();
    saved->controller().setParamNormalized(vst3id::kProgramChangeId, 7.0 / 25.0);
    saved->controller().setParamNormalized(0, 0.3125);
    saved->controller().setParamNormalized(5, 1.0);
    MemoryStream written({}, 1);
    ASSERT_EQ(saved->component().getState(&written), vst3::kResultOk);

    auto restored = newVst3();
    MemoryStream reading(written.content(), 1);
    ASSERT_EQ(restored->component().setState(&reading), vst3::kResultOk);
    EXPECT_EQ(valuesOf(*restored), valuesOf(*saved));
    EXPECT_EQ(restored->text(0), saved->text(0));

    // And the same bytes again from the restored instance, as a session saved twice.
    MemoryStream again;
    ASSERT_EQ(restored->component().getState(&again), vst3::kResultOk);
    EXPECT_EQ(again.content(), written.content());
}

TEST_F(Vst3AndVst2, StateItCannotReadIsRefusedAndTheSettingsStay) {
    auto source = newVst3();
    MemoryStream good;
    ASSERT_EQ(source->component().getState(&good), vst3::kResultOk);
    std::vector<std::uint8_t> wrongMagic = good.content();
    wrongMagic[0] ^= 0xFF;
    std::vector<std::uint8_t> longer = good.content();
    longer.push_back(0);
    const std::vector<std::vector<std::uint8_t>> unreadable = {
        {},
        {good.content().begin(), good.content().begin() + 5},
        {good.content().begin(), good.content().end() - 1},
        wrongMagic,
        longer,
    };

    auto instance = newVst3();
    instance->controller().setParamNormalized(vst3id::kProgramChangeId, 3.0 / 25.0);
    instance->controller().setParamNormalized(8, 0.777);
    const std::vector<double> before = valuesOf(*instance);
    for (const auto& bytes : unreadable) {
        MemoryStream stream(bytes, 3);
        EXPECT_NE(instance->component().setState(&stream), vst3::kResultOk) << bytes.size();
        EXPECT_EQ(valuesOf(*instance), before) << bytes.size();
    }
    EXPECT_NE(instance->component().setState(nullptr), vst3::kResultOk);
    EXPECT_EQ(valuesOf(*instance), before);
}
