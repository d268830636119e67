// The main view and its controller: where the controls lie, where they start, and how values
// travel between the controls and the effect.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <typeinfo>

#include "BackgroundView.h"
#include "ControlValues.h"
#include "EditorScene.h"
#include "KnobArithmetic.h"
#include "LayoutFrames.h"

// Each control is the one its layout entry names, at the entry's frame, stacked in the layout's
// order above the background, the display and the format's name.
TEST(MainViewLayout, EveryControlLiesWhereTheLayoutPutsItAboveTheBackground) {
    MainViewScene scene;
    EditorController& c = scene.controller();
    const auto& children = scene.view->subviews();
    ASSERT_EQ(children.size(), 3 + layout::knobs.size() + layout::switches.size());
    ASSERT_NE(dynamic_cast<BackgroundView*>(children[0].get()), nullptr);
    EXPECT_EQ(children[0]->frame(), scene.view->bounds());
    EXPECT_EQ(children[1].get(), c.echoDisplay());
    EXPECT_EQ(children[2].get(), c.formatLabel());
    EXPECT_EQ(c.formatLabel()->text(), "VST 2.4");
    std::size_t next = 3;
    for (const layout::Control& place : layout::knobs) {
        const Knob* knob = c.knobForParameter(place.parameter);
        EXPECT_EQ(children[next++].get(), knob) << place.parameter;
        EXPECT_EQ(knob->frame(), rectOf(place.frame)) << place.parameter;
    }
    for (const layout::Control& place : layout::switches) {
        const LoopSwitch* toggle = c.switchForParameter(place.parameter);
        EXPECT_EQ(children[next++].get(), toggle) << place.parameter;
        EXPECT_EQ(toggle->frame(), rectOf(place.frame)) << place.parameter;
    }
}

TEST(MainViewStart, KnobsStartFromTheEffectsParameters) {
    MainViewScene scene;  // the first program: delay 0.0799..., feedback 0.215, ...
    EditorController& c = scene.controller();
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kDelay)), 8);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kFeedBack)), 22);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kLowPass)), 37);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kHighPass)), 66);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kPan)), 50);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kPanWidth)), 0);
    EXPECT_EQ(MainViewScene::step(c.knobForParameter(kMix)), 100);
    EXPECT_EQ(scene.pictureShown(c.knobForParameter(kMix)), 127);
    EXPECT_EQ(scene.pictureShown(c.knobForParameter(kFeedBack)), knob::pictureForValue(22));
}

TEST(MainViewStart, SwitchesStartFromTheFilterPlacementsTheEffectHolds) {
    MainViewScene scene;  // the first program: low-pass in the loop, high-pass on the echo only
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 1);
    EXPECT_EQ(scene.controller().switchForParameter(kHighPassInLoop)->state(), 0);
    scene.effect.setParameter(kLowPassInLoop, 0.0f);
    scene.effect.setParameter(kHighPassInLoop, 0.3f);  // on, as the effect counts it
    scene.rebuild();
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 0);
    EXPECT_EQ(scene.controller().switchForParameter(kHighPassInLoop)->state(), 1);
}

TEST(MainViewStart, TouchingAKnobKeepsBothFilterPlacements) {
    MainViewScene scene;
    scene.turn(*scene.controller().knobForParameter(kMix), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 1.0f);
    EXPECT_EQ(scene.effect.getParameter(kHighPassInLoop), 0.0f);
}

// Every factory program, and values between the knobs' steps set by the host: grabbing a control
// without moving it changes nothing, and moving it changes its own parameter and leaves the other
// eight bit for bit as they were.
TEST(ControlToEffect, TouchingOneControlLeavesTheOtherEightBitIdentical) {
    MainViewScene scene;
    auto bits = [&scene] {
        std::vector<std::uint32_t> all;
        for (float value : scene.parameters()) all.push_back(std::bit_cast<std::uint32_t>(value));
        return all;
    };
    auto touchEveryControl = [&](const std::string& when) {
        EditorController& c = scene.controller();
        for (int index = 0; index < kNumParams; ++index) {
            const std::vector<std::uint32_t> before = bits();
            if (Knob* knob = c.knobForParameter(index)) {
                scene.turn(*knob, 0.0);
                EXPECT_EQ(bits(), before) << when << ", a knob grabbed in place: " << index;
                scene.turn(*knob, MainViewScene::step(knob) > 50 ? -4.0 : 4.0);
                EXPECT_NE(bits()[index], before[index]) << when << ", knob " << index;
            } else {
                const auto& toggle = index == kLowPassInLoop
                                         ? *c.switchForParameter(kLowPassInLoop)
                                         : *c.switchForParameter(kHighPassInLoop);
                scene.click(toggle);
                EXPECT_EQ(scene.effect.getParameter(index), toggle.state() != 0 ? 1.0f : 0.0f)
                    << when << ", switch " << index;
            }
            std::vector<std::uint32_t> after = bits();
            after[index] = before[index];
            EXPECT_EQ(after, before) << when << ", control " << index;
        }
    };
    for (VstInt32 program = 0; program < kNumPrograms; ++program) {
        scene.effect.setProgram(program);
        scene.rebuild();  // as the next open builds it
        touchEveryControl("program " + std::to_string(program));
    }
    const float hostValues[kNumParams] = {0.0799f, 0.333f, 0.29f,   0.999f, 0.5f,
                                          0.5f,    0.001f, 0.6666f, 1.0f};
    for (VstInt32 index = 0; index < kNumParams; ++index) {
        scene.effect.setParameter(index, hostValues[index]);
        scene.view->controller().showParameter(index,
                                               hostValues[index]);  // as the host's change arrives
    }
    touchEveryControl("after the host's changes");
}

// Over a fine grid of values (0.15, 0.41, 0.44, 0.58 and 0.11 among them): the knob shows the
// nearest step whether the value was there when the editor opened or arrived while it was open; one
// step of a drag either way sends the value of the next step, never the one already there; and the
// step a drag left shows again at the next open.
TEST(MainViewStart, AKnobShowsTheNearestStepHoweverItsValueArrivesAndOneStepAlwaysChangesIt) {
    MainViewScene scene;
    for (int k = 0; k <= 400; ++k) {
        const float value = static_cast<float>(k) / 400.0f;
        const std::string at = "value " + std::to_string(value);
        scene.effect.setParameter(kLowPass, value);
        scene.rebuild();
        const int shown = MainViewScene::step(scene.controller().knobForParameter(kLowPass));
        ASSERT_LE(std::fabs(static_cast<double>(value) * 100.0 - shown), 0.5) << at;
        scene.view->controller().showParameter(kLowPass, 0.5f);
        scene.view->controller().showParameter(kLowPass, value);
        ASSERT_EQ(MainViewScene::step(scene.controller().knobForParameter(kLowPass)), shown) << at;

        // The drag range ends at 99, which sends 1.0 as 100 does.
        const int from = std::min(shown, 99);
        const int to = from < 99 ? from + 1 : from - 1;
        scene.turn(*scene.controller().knobForParameter(kLowPass), to > from ? 2.0 : -2.0);
        ASSERT_FALSE(scene.effect.writes.empty()) << at;
        const float sent = scene.effect.writes.back().value;
        ASSERT_EQ(sent, control_values::valueOfKnobStep(to)) << at;
        ASSERT_NE(sent, value) << at;
        scene.turn(*scene.controller().knobForParameter(kLowPass), to > from ? -2.0 : 2.0);
        ASSERT_EQ(scene.effect.getParameter(kLowPass), control_values::valueOfKnobStep(from)) << at;
        if (k % 4 == 0) {  // a new view costs time: every whole step is enough
            scene.rebuild();
            ASSERT_EQ(MainViewScene::step(scene.controller().knobForParameter(kLowPass)),
                      from == 99 ? 100 : from)
                << at;
        }
    }
}

TEST(MainViewStart, WithoutAnEffectKnobsStartAtZeroAndControlsChangeNothing) {
    FreshDesktop desktop;
    auto view = std::make_shared<EditorView>(ui::Rect{0, 0, 344, 400}, nullptr);
    ui::headless::HeadlessSurface surface(view);
    surface.displayAll();
    EXPECT_EQ(MainViewScene::step(view->controller().knobForParameter(kMix)), 0);
    EXPECT_EQ(view->controller().switchForParameter(kLowPassInLoop)->state(), 0);
    surface.mouseDown(
        MainViewScene::centreOf(*view->controller().switchForParameter(kLowPassInLoop)));
    EXPECT_TRUE(surface.isDisplayDue());
}

// The host hears of every step of a drag between one begin and one end, and of a click as a
// gesture of its own; nothing of the other parameters.
TEST(ControlToEffect, AGestureReachesTheHostAsBeginEachStepAndEnd) {
    MainViewScene scene;
    scene.effect.setParameter(kMix, 0.5f);
    scene.rebuild();
    scene.turnInSteps(*scene.controller().knobForParameter(kMix), 3.0, 9.0);
    using M = HostMessage;
    EXPECT_EQ(scene.effect.hostMessages, (std::vector<M>{{audioMasterBeginEdit, kMix, 0.0f},
                                                         {audioMasterAutomate, kMix, 51.0f * 0.01f},
                                                         {audioMasterAutomate, kMix, 52.0f * 0.01f},
                                                         {audioMasterAutomate, kMix, 53.0f * 0.01f},
                                                         {audioMasterEndEdit, kMix, 0.0f}}));
    EXPECT_EQ(scene.effect.indexesWritten(), (std::vector<VstInt32>{kMix, kMix, kMix}));
    scene.effect.hostMessages.clear();
    scene.click(*scene.controller().switchForParameter(kHighPassInLoop));
    EXPECT_EQ(scene.effect.hostMessages,
              (std::vector<M>{{audioMasterBeginEdit, kHighPassInLoop, 0.0f},
                              {audioMasterAutomate, kHighPassInLoop, 1.0f},
                              {audioMasterEndEdit, kHighPassInLoop, 0.0f}}));
}

// Ardour hears of the gestures from the audio thread alone, at the start of the next block:
// begin, the newest value, end. A gesture still under way is told as begun and its end comes at a
// later block; a block with nothing new tells nothing. The sound follows the knob at once.
TEST(ControlToEffect, InArdourTheGesturesReachTheHostFromTheAudioThreadAtTheNextBlock) {
    MainViewScene scene;
    WatchedEffect& effect = scene.effect;
    effect.hostProduct = "Ardour";
    effect.setParameter(kMix, 0.5f);
    scene.rebuild();
    const auto block = [&effect] {
        effect.hostMessages.clear();
        std::thread audio([&effect] { effect.runSilence(64, 64); });
        const std::thread::id id = audio.get_id();
        audio.join();
        return id;
    };
    using M = HostMessage;

    scene.turnInSteps(*scene.controller().knobForParameter(kMix), 3.0, 9.0);
    EXPECT_EQ(effect.getParameter(kMix), 53.0f * 0.01f);
    EXPECT_TRUE(effect.hostMessages.empty());
    const std::thread::id audio = block();
    EXPECT_EQ(effect.hostMessages, (std::vector<M>{{audioMasterBeginEdit, kMix, 0.0f},
                                                   {audioMasterAutomate, kMix, 53.0f * 0.01f},
                                                   {audioMasterEndEdit, kMix, 0.0f}}));
    EXPECT_EQ(effect.gestureThread, audio);

    const ui::Point at = MainViewScene::centreOf(*scene.controller().knobForParameter(kMix));
    scene.surface->mouseDown(at);
    scene.surface->mouseDragged({at.x, at.y + 3.0});
    block();
    EXPECT_EQ(effect.hostMessages, (std::vector<M>{{audioMasterBeginEdit, kMix, 0.0f},
                                                   {audioMasterAutomate, kMix, 54.0f * 0.01f}}));
    scene.surface->mouseDragged({at.x, at.y + 6.0});
    scene.surface->mouseUp({at.x, at.y + 6.0});
    block();
    EXPECT_EQ(effect.hostMessages, (std::vector<M>{{audioMasterAutomate, kMix, 55.0f * 0.01f},
                                                   {audioMasterEndEdit, kMix, 0.0f}}));
    block();
    EXPECT_TRUE(effect.hostMessages.empty());
}

TEST(ControlToEffect, AGestureCutShortByTheEditorClosingStillEnds) {
    WatchedEditorScene scene;
    WatchedEffect& effect = scene.effect;
    ASSERT_EQ(scene.dispatch(effEditOpen), 1);
    // Pressed and dragged in the main view's coordinates, never released.
    Knob& point = *scene.controller().knobForParameter(kFeedBack);
    const ui::Point centre =
        MainViewScene::centreOf(*scene.controller().knobForParameter(kFeedBack));
    point.mouseDown(ui::MouseEvent(ui::MouseEvent::Type::Down, centre));
    point.mouseDragged(ui::MouseEvent(ui::MouseEvent::Type::Dragged, {centre.x, centre.y + 10}));
    ASSERT_FALSE(effect.hostMessages.empty());
    scene.dispatch(effEditClose);
    ASSERT_GE(effect.hostMessages.size(), 3u);
    EXPECT_EQ(effect.hostMessages.back(), (HostMessage{audioMasterEndEdit, kFeedBack, 0.0f}));
    const auto ends =
        std::count_if(effect.hostMessages.begin(), effect.hostMessages.end(),
                      [](const HostMessage& m) { return m.opcode == audioMasterEndEdit; });
    EXPECT_EQ(ends, 1);
}

TEST(ControlToEffect, AGestureCutShortByTheWindowGoingStillEnds) {
    MainViewScene scene;
    const ui::Point centre = MainViewScene::centreOf(*scene.controller().knobForParameter(kPan));
    scene.surface->mouseDown(centre);
    scene.surface->mouseDragged({centre.x, centre.y + 10});
    scene.surface->cancelPress();  // as when the host destroys its window under the button
    ASSERT_FALSE(scene.effect.hostMessages.empty());
    EXPECT_EQ(scene.effect.hostMessages.front(), (HostMessage{audioMasterBeginEdit, kPan, 0.0f}));
    EXPECT_EQ(scene.effect.hostMessages.back(), (HostMessage{audioMasterEndEdit, kPan, 0.0f}));
    scene.surface->mouseUp(centre);  // a late release finds nothing to end
    EXPECT_EQ(scene.effect.hostMessages.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(std::count_if(scene.effect.hostMessages.begin(), scene.effect.hostMessages.end(),
                            [](const HostMessage& m) { return m.opcode == audioMasterEndEdit; }),
              1);
}

TEST(ControlToEffect, ValuesTheEffectHoldsAreNotWrittenAgainSoTheEchoGoesOn) {
    MainViewScene scene;
    scene.effect.setParameter(kDelay, 0.07f);  // exactly a step of the delay knob
    scene.rebuild();
    StereoBuffer impulse(1000);
    impulse.left[0] = 1.0f;
    scene.effect.run(impulse);
    scene.turn(*scene.controller().knobForParameter(kMix), -10.0);
    scene.turn(*scene.controller().knobForParameter(kFeedBack), 10.0);
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
    scene.turn(*scene.controller().knobForParameter(kDelay), 30.0);
    ASSERT_NE(MainViewScene::step(scene.controller().knobForParameter(kDelay)), 7);
    EXPECT_EQ(scene.effect.getParameter(kDelay),
              static_cast<float>(MainViewScene::step(scene.controller().knobForParameter(kDelay))) *
                  0.01f);
    const StereoBuffer out = scene.effect.runSilence(30000);
    for (float sample : out.right) ASSERT_LT(std::fabs(sample), 1e-6f);  // the filters' offset
}

TEST(ControlToEffect, TheLastStepSendsExactlyOneAndTheStepBelowNinetyEightHundredths) {
    MainViewScene scene;
    scene.effect.setParameter(kFeedBack, 0.0f);
    scene.rebuild();  // step 0 rests at 224 degrees: 269 points up reach -45
    scene.turn(*scene.controller().knobForParameter(kFeedBack), 268.0);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kFeedBack)), 98);
    EXPECT_EQ(scene.effect.getParameter(kFeedBack), 98.0f * 0.01f);
    EXPECT_FLOAT_EQ(scene.effect.getParameter(kFeedBack), 0.98f);
    scene.effect.setParameter(kFeedBack, 0.0f);
    scene.rebuild();
    scene.turn(*scene.controller().knobForParameter(kFeedBack), 269.0);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kFeedBack)), 99);
    EXPECT_EQ(scene.effect.getParameter(kFeedBack), 1.0f);
}

TEST(ControlToEffect, ClickingTheHighPassSwitchTogglesItAndTheLowPassSwitchHasTheLastWord) {
    MainViewScene scene;
    scene.click(*scene.controller().switchForParameter(kHighPassInLoop));
    EXPECT_EQ(scene.controller().switchForParameter(kHighPassInLoop)->state(), 1);
    EXPECT_EQ(scene.effect.getParameter(kHighPassInLoop), 1.0f);
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 1.0f);
    scene.click(*scene.controller().switchForParameter(kLowPassInLoop));
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 0.0f);
    EXPECT_EQ(scene.effect.writes.back(), (WatchedEffect::Write{kLowPassInLoop, 0.0f}));
}

// The effect tells the editor of every change, its own too; the value the editor sent last must not
// move its knob (a drag has gone on from there meanwhile), but the same value sent again by the
// host afterwards, or any other, does.
TEST(ControlToEffect, TheEditorsOwnChangeComingBackDoesNotMoveItsKnobButTheNextValueDoes) {
    EditorScene scene;
    ASSERT_EQ(scene.dispatch(effEditOpen), 1);
    scene.controller().knobTurned(kLowPass, 50);                // as the knob reports its new step
    scene.controller().knobForParameter(kLowPass)->setStep(3);  // the drag went on
    scene.dispatch(effEditIdle);
    EXPECT_EQ(scene.effect.getParameter(kLowPass), 0.5f);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kLowPass)),
              3);  // nothing came back
    EXPECT_EQ(scene.knobStepAfterTheHostSets(kLowPass, 0.5f), 50);
    scene.controller().knobTurned(kLowPass, 60);
    EXPECT_EQ(scene.knobStepAfterTheHostSets(kLowPass, 0.25f), 25);
    EXPECT_EQ(scene.knobStepAfterTheHostSets(kLowPass, 0.6f), 60);
    scene.controller().knobReleased(kLowPass);
}

TEST(EffectToControl, EachParameterMovesItsOwnControl) {
    MainViewScene scene;
    EditorController& c = scene.controller();
    const std::pair<int, const Knob*> knobs[] = {
        {kDelay, c.knobForParameter(kDelay)},     {kFeedBack, c.knobForParameter(kFeedBack)},
        {kLowPass, c.knobForParameter(kLowPass)}, {kHighPass, c.knobForParameter(kHighPass)},
        {kPan, c.knobForParameter(kPan)},         {kPanWidth, c.knobForParameter(kPanWidth)},
        {kMix, c.knobForParameter(kMix)},
    };
    int value = 11;
    for (const auto& [index, knob] : knobs) {
        scene.view->controller().showParameter(
            index, static_cast<float>(value) / 100.0f);  // as a host sends it
        EXPECT_EQ(MainViewScene::step(knob), value) << index;
        EXPECT_EQ(scene.pictureShown(knob), knob::pictureForValue(value)) << index;
        ++value;
    }
    scene.view->controller().showParameter(kLowPassInLoop, 0.0f);
    scene.view->controller().showParameter(kHighPassInLoop, 1.0f);
    EXPECT_EQ(c.switchForParameter(kLowPassInLoop)->state(), 0);
    EXPECT_EQ(c.switchForParameter(kHighPassInLoop)->state(), 1);
    EXPECT_TRUE(scene.surface->isDisplayDue());
}

TEST(EffectToControl, AParameterAtOneShowsStep100AndTheNextChangeSendsOne) {
    MainViewScene scene;
    scene.view->controller().showParameter(kPan, 1.0f);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kPan)), 100);
    EXPECT_EQ(scene.pictureShown(scene.controller().knobForParameter(kPan)), 127);
    scene.effect.setParameter(kPan, 1.0f);
    scene.turn(*scene.controller().knobForParameter(kMix), 0.0);
    EXPECT_EQ(scene.effect.getParameter(kPan), 1.0f);
}

TEST(EffectToControl, HalfOnAFilterSwitchShowsOffAndOnlyAClickOnItChangesIt) {
    MainViewScene scene;
    scene.effect.setParameter(kLowPassInLoop, 0.5f);  // the effect counts it as on
    scene.view->controller().showParameter(kLowPassInLoop, 0.5f);
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 0);
    scene.turn(*scene.controller().knobForParameter(kMix), -5.0);
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 1.0f);
    scene.click(*scene.controller().switchForParameter(kLowPassInLoop));
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 1);
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 1.0f);
    scene.click(*scene.controller().switchForParameter(kLowPassInLoop));
    EXPECT_EQ(scene.effect.getParameter(kLowPassInLoop), 0.0f);
    scene.view->controller().showParameter(kLowPassInLoop, 1.0f);
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 1);
}

TEST(EffectToControl, IndexesOutsideTheNineMoveNoControlAndWriteNothing) {
    MainViewScene scene;
    auto shown = [&scene] {
        std::vector<int> all;
        for (int index = 0; index < kNumParams; ++index) {
            const Knob* knob = scene.controller().knobForParameter(index);
            all.push_back(knob != nullptr ? knob->step()
                                          : scene.controller().switchForParameter(index)->state());
        }
        return all;
    };
    const std::vector<int> before = shown();
    scene.view->controller().showParameter(9, 0.5f);
    scene.view->controller().showParameter(-1, 0.5f);
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(scene.effect.writes.empty());
}

TEST(EffectToControl, ValuesFarOutsideTheRangeNeitherWrapNorCrash) {
    MainViewScene scene;
    const float huge = 1e30f;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    scene.view->controller().showParameter(kMix, huge);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)),
              std::numeric_limits<std::int32_t>::max());
    scene.view->controller().showParameter(kMix, -huge);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)),
              std::numeric_limits<std::int32_t>::min());
    scene.view->controller().showParameter(kPan, nan);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kPan)), 0);
    scene.view->controller().showParameter(kLowPassInLoop, huge);
    EXPECT_EQ(scene.controller().switchForParameter(kLowPassInLoop)->state(), 127);
    scene.view->controller().showParameter(kHighPassInLoop, nan);
    EXPECT_EQ(scene.controller().switchForParameter(kHighPassInLoop)->state(), 0);
    scene.surface->redrawIfNeeded();  // a step without a picture shows no knob
    EXPECT_EQ(scene.pictureShown(scene.controller().knobForParameter(kMix)), -1);
}
