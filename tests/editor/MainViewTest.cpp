// The main view and its controller: where the controls lie, where they start, and how values
// travel between the controls and the effect.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <typeinfo>

#include "DetatchedView13.h"
#include "EditorScene.h"
#include "KnobArithmetic.h"

namespace {

struct Place {
    const ui::View* control;
    ui::Rect frame;
};

}  // namespace

TEST(MainViewLayout, EveryControlLiesWhereItBelongsAboveTheBackground) {
    MainViewScene scene;
    KnobDelegate13& c = scene.controller();
    const Place places[] = {
        {c.timeKnob(), {60, 202, 48, 48}},     {c.mixKnob(), {239, 202, 48, 48}},
        {c.feedBackKnob(), {154, 202, 48, 48}}, {c.lowPassKnob(), {117, 119, 48, 48}},
        {c.highPassKnob(), {192, 119, 48, 48}}, {c.panWidthKnob(), {75, 37, 48, 48}},
        {c.panKnob(), {222, 37, 48, 48}},       {c.lowPassSwitch(), {82, 132, 15, 16}},
        {c.highPassSwitch(), {253, 132, 15, 16}},
    };
    const auto& children = scene.view->subviews();
    ASSERT_EQ(children.size(), 10u);
    ASSERT_NE(dynamic_cast<DetatchedView13*>(children[0].get()), nullptr);
    EXPECT_EQ(children[0]->frame(), (ui::Rect{0, 0, 344, 400}));
    // Background at the bottom, then the knobs in the table's order, then the two switches.
    for (std::size_t i = 0; i < std::size(places); ++i) {
        EXPECT_EQ(children[i + 1].get(), places[i].control) << i;
        EXPECT_EQ(places[i].control->frame(), places[i].frame) << i;
    }
    EXPECT_EQ(scene.view->frame(), (ui::Rect{0, 0, 344, 400}));
}

TEST(MainViewStart, KnobsStartFromTheEffectsParameters) {
    MainViewScene scene;  // the first program: delay 0.0799..., feedback 0.215, ...
    KnobDelegate13& c = scene.controller();
    EXPECT_EQ(MainViewScene::step(c.timeKnob()), 7);
    EXPECT_EQ(MainViewScene::step(c.feedBackKnob()), 21);
    EXPECT_EQ(MainViewScene::step(c.lowPassKnob()), 37);
    EXPECT_EQ(MainViewScene::step(c.highPassKnob()), 65);
    EXPECT_EQ(MainViewScene::step(c.panKnob()), 50);
    EXPECT_EQ(MainViewScene::step(c.panWidthKnob()), 0);
    EXPECT_EQ(MainViewScene::step(c.mixKnob()), 100);
    EXPECT_EQ(scene.pictureShown(c.mixKnob()), 127);
    EXPECT_EQ(scene.pictureShown(c.feedBackKnob()), knob::pictureForValue(21));
}

TEST(MainViewStart, SwitchesStartFromTheFilterPlacementsTheEffectHolds) {
    MainViewScene scene;  // the first program: low-pass in the loop, high-pass on the echo only
    EXPECT_EQ(scene.controller().lowPassSwitch()->imageState(), 1);
    EXPECT_EQ(scene.controller().highPassSwitch()->imageState(), 0);
    scene.effect.setParameter(kLowPassType, 0.0f);
    scene.effect.setParameter(kHighPassType, 0.3f);  // on, as the effect counts it
    scene.rebuild();
    EXPECT_EQ(scene.controller().lowPassSwitch()->imageState(), 0);
    EXPECT_EQ(scene.controller().highPassSwitch()->imageState(), 1);
}

TEST(MainViewStart, TouchingAKnobKeepsBothFilterPlacements) {
    MainViewScene scene;
    scene.turn(*scene.controller().mixKnob(), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kLowPassType), 1.0f);
    EXPECT_EQ(scene.effect.getParameter(kHighPassType), 0.0f);
}

TEST(MainViewStart, AValueBetweenStepsStartsOnTheStepBelowAndIsSentAsThatStep) {
    MainViewScene scene;
    EXPECT_EQ(MainViewScene::step(scene.controller().feedBackKnob()), 21);  // 0.215
    scene.turn(*scene.controller().mixKnob(), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kFeedBack), 21.0f * 0.01f);
}

TEST(MainViewStart, PointTwentyNineIsStep28AtCreationAndStep29OnUpdate) {
    MainViewScene scene;
    scene.effect.setParameter(kLowPass, 0.29f);
    scene.rebuild();
    EXPECT_EQ(MainViewScene::step(scene.controller().lowPassKnob()), 28);
    scene.turn(*scene.controller().mixKnob(), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kLowPass), 28.0f * 0.01f);
    scene.view->updateView(kLowPass, 0.29f);
    EXPECT_EQ(MainViewScene::step(scene.controller().lowPassKnob()), 29);
}

TEST(MainViewStart, WithoutAnEffectKnobsStartAtZeroAndControlsChangeNothing) {
    FreshDesktop desktop;
    auto view = std::make_shared<ZelvasUiView13>(ui::Rect{0, 0, 344, 400}, nullptr);
    view->awakeFromNib();
    ui::headless::HeadlessSurface surface(view);
    surface.displayAll();
    EXPECT_EQ(MainViewScene::step(view->KnobView()->mixKnob()), 0);
    EXPECT_EQ(view->KnobView()->lowPassSwitch()->imageState(), 0);
    surface.mouseDown(MainViewScene::centreOf(*view->KnobView()->lowPassSwitch()));
    EXPECT_TRUE(surface.isDisplayDue());
}

TEST(ControlToEffect, EveryChangeReadsAllNineControlsAndWritesThoseThatDiffer) {
    MainViewScene scene;
    for (VstInt32 index : {kDelay, kFeedBack, kLowPass, kHighPass, kPan, kPanDepth, kMix}) {
        scene.effect.setParameter(index, 0.333f);  // shown as step 33, sent back as 0.33
    }
    scene.rebuild();
    scene.effect.setParameter(kLowPassType, 0.0f);  // the switch still shows on
    scene.effect.setParameter(kHighPassType, 0.0f);  // the switch shows off: nothing to write
    scene.effect.writes.clear();
    scene.turn(*scene.controller().mixKnob(), 0.0);  // a new knob's first drag: step 51
    EXPECT_EQ(scene.effect.indexesWritten(), (std::vector<VstInt32>{kDelay, kMix, kFeedBack,
                                                                    kLowPass, kHighPass,
                                                                    kPanDepth, kPan,
                                                                    kLowPassType}));
    EXPECT_EQ(scene.effect.getParameter(kMix), 51.0f * 0.01f);
    EXPECT_EQ(scene.effect.getParameter(kDelay), 33.0f * 0.01f);
    EXPECT_EQ(scene.effect.getParameter(kLowPassType), 1.0f);
}

TEST(ControlToEffect, ValuesTheEffectHoldsAreNotWrittenAgainSoTheEchoGoesOn) {
    MainViewScene scene;
    scene.effect.setParameter(kDelay, 0.07f);  // exactly a step of the delay knob
    scene.rebuild();
    StereoBuffer impulse(1000);
    impulse.left[0] = 1.0f;
    scene.effect.run(impulse);
    scene.turn(*scene.controller().mixKnob(), 0.0);
    scene.turn(*scene.controller().mixKnob(), 10.0);
    ASSERT_FALSE(scene.effect.writes.empty());
    for (const auto& write : scene.effect.writes) EXPECT_NE(write.index, kDelay);
    // (44100 - 1) x 0.07 = 3086 samples after the impulse, its echo comes out on the right.
    const StereoBuffer out = scene.effect.runSilence(3000);
    double energy = 0.0;
    for (float sample : out.right) energy += static_cast<double>(sample) * sample;
    EXPECT_GT(energy, 1e-3);
}

TEST(ControlToEffect, TurningTheDelayKnobWritesTheDelayAndRestartsTheLines) {
    MainViewScene scene;
    scene.effect.setParameter(kDelay, 0.07f);
    scene.rebuild();
    StereoBuffer impulse(1000);
    impulse.left[0] = 1.0f;
    scene.effect.run(impulse);
    scene.turn(*scene.controller().timeKnob(), 0.0);  // a new knob's first drag: step 51
    EXPECT_EQ(scene.effect.getParameter(kDelay), 51.0f * 0.01f);
    const StereoBuffer out = scene.effect.runSilence(30000);
    for (float sample : out.right) ASSERT_LT(std::fabs(sample), 1e-6f);  // the filters' offset
}

TEST(ControlToEffect, TheLastStepSendsExactlyOneAndTheStepBelowNinetyEightHundredths) {
    MainViewScene scene;  // a new knob rests at 85 degrees: 130 points up reach -45
    scene.turn(*scene.controller().feedBackKnob(), 129.0);
    EXPECT_EQ(MainViewScene::step(scene.controller().feedBackKnob()), 98);
    EXPECT_EQ(scene.effect.getParameter(kFeedBack), 98.0f * 0.01f);
    EXPECT_FLOAT_EQ(scene.effect.getParameter(kFeedBack), 0.98f);
    scene.rebuild();
    scene.turn(*scene.controller().feedBackKnob(), 130.0);
    EXPECT_EQ(MainViewScene::step(scene.controller().feedBackKnob()), 99);
    EXPECT_EQ(scene.effect.getParameter(kFeedBack), 1.0f);
}

TEST(ControlToEffect, ClickingTheHighPassSwitchTogglesItAndTheLowPassSwitchHasTheLastWord) {
    MainViewScene scene;
    scene.click(*scene.controller().highPassSwitch());
    EXPECT_EQ(scene.controller().highPassSwitch()->imageState(), 1);
    EXPECT_EQ(scene.effect.getParameter(kHighPassType), 1.0f);
    EXPECT_EQ(scene.effect.getParameter(kLowPassType), 1.0f);
    scene.click(*scene.controller().lowPassSwitch());
    EXPECT_EQ(scene.effect.getParameter(kLowPassType), 0.0f);
    EXPECT_EQ(scene.effect.writes.back(), (WatchedEffect::Write{kLowPassType, 0.0f}));
}

TEST(ControlToEffect, TheEditorsOwnChangesAreNotSentBackToIt) {
    EditorScene scene;
    ASSERT_EQ(scene.dispatch(effEditOpen), 1);
    scene.controller().lowPassKnob()->controlPoint()->setIntValue(3);
    scene.view().updateParameters(kLowPass, 0.5f);
    scene.dispatch(effEditIdle);
    EXPECT_EQ(scene.effect.getParameter(kLowPass), 0.5f);
    EXPECT_EQ(MainViewScene::step(scene.controller().lowPassKnob()), 3);  // nothing came back
}

TEST(EffectToControl, EachParameterMovesItsOwnControl) {
    MainViewScene scene;
    KnobDelegate13& c = scene.controller();
    const std::pair<int, const FlatKnob13*> knobs[] = {
        {kDelay, c.timeKnob()},    {kFeedBack, c.feedBackKnob()}, {kLowPass, c.lowPassKnob()},
        {kHighPass, c.highPassKnob()}, {kPan, c.panKnob()},     {kPanDepth, c.panWidthKnob()},
        {kMix, c.mixKnob()},
    };
    int value = 11;
    for (const auto& [index, knob] : knobs) {
        scene.view->updateView(index, static_cast<float>(value) / 100.0f);  // as a host sends it
        EXPECT_EQ(MainViewScene::step(knob), value) << index;
        EXPECT_EQ(scene.pictureShown(knob), knob::pictureForValue(value)) << index;
        ++value;
    }
    scene.view->updateView(kLowPassType, 0.0f);
    scene.view->updateView(kHighPassType, 1.0f);
    EXPECT_EQ(c.lowPassSwitch()->imageState(), 0);
    EXPECT_EQ(c.highPassSwitch()->imageState(), 1);
    EXPECT_TRUE(scene.surface->isDisplayDue());
}

TEST(EffectToControl, AParameterAtOneShowsStep100AndTheNextChangeSendsOne) {
    MainViewScene scene;
    scene.view->updateView(kPan, 1.0f);
    EXPECT_EQ(MainViewScene::step(scene.controller().panKnob()), 100);
    EXPECT_EQ(scene.pictureShown(scene.controller().panKnob()), 127);
    scene.effect.setParameter(kPan, 1.0f);
    scene.turn(*scene.controller().mixKnob(), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kPan), 1.0f);
}

TEST(EffectToControl, HalfOnAFilterSwitchShowsOffAndTheNextChangeTurnsItOff) {
    MainViewScene scene;
    scene.effect.setParameter(kLowPassType, 0.5f);  // the effect counts it as on
    scene.view->updateView(kLowPassType, 0.5f);
    EXPECT_EQ(scene.controller().lowPassSwitch()->imageState(), 0);
    scene.turn(*scene.controller().mixKnob(), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kLowPassType), 0.0f);
    scene.view->updateView(kLowPassType, 1.0f);
    EXPECT_EQ(scene.controller().lowPassSwitch()->imageState(), 1);
}

TEST(EffectToControl, IndexesOutsideTheNineAreIgnoredBothWays) {
    MainViewScene scene;
    const std::vector<float> before = scene.parameters();
    scene.view->updateView(9, 0.5f);
    scene.view->updateView(-1, 0.5f);
    scene.view->updateParameters(9, 0.5f);
    scene.view->updateParameters(-1, 0.5f);
    EXPECT_TRUE(scene.effect.writes.empty());
    EXPECT_EQ(scene.parameters(), before);
}

TEST(EffectToControl, ValuesFarOutsideTheRangeNeitherWrapNorCrash) {
    MainViewScene scene;
    const float huge = 1e30f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    scene.view->updateView(kMix, huge);
    EXPECT_EQ(MainViewScene::step(scene.controller().mixKnob()),
              std::numeric_limits<std::int32_t>::max());
    scene.view->updateView(kMix, -huge);
    EXPECT_EQ(MainViewScene::step(scene.controller().mixKnob()),
              std::numeric_limits<std::int32_t>::min());
    scene.view->updateView(kPan, nan);
    EXPECT_EQ(MainViewScene::step(scene.controller().panKnob()), 0);
    scene.view->updateView(kLowPassType, huge);
    EXPECT_EQ(scene.controller().lowPassSwitch()->imageState(), 127);
    scene.view->updateView(kHighPassType, nan);
    EXPECT_EQ(scene.controller().highPassSwitch()->imageState(), 0);
    scene.surface->displayIfNeeded();  // a step without a picture shows no knob
    EXPECT_EQ(scene.pictureShown(scene.controller().mixKnob()), -1);
}
