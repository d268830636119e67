// The knob's quicker and finer moves: the wheel, a drag with Shift held and a reset each reach
// the host as exactly one gesture on the knob's own parameter, with the expected values in
// between; and the readout of the knob shows while it moves and for a second after.
#include <gtest/gtest.h>

#include <chrono>

#include "ControlValues.h"
#include "EditorScene.h"
#include "FactoryPrograms.h"
#include "ParameterFields.h"
#include "ParameterReadout.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The main view with a clock the test moves by hand.
struct MovesScene : MainViewScene {
    Clock::time_point now{};

    MovesScene() { useTestClock(); }
    void useTestClock() {
        controller().setClock([this] { return now; });
    }
    void rebuildAt(int program) {
        effect.setProgram(program);
        rebuild();
        useTestClock();
    }
    void wait(milliseconds time) {
        now += time;
        view->tick();
    }
    // The gesture the host heard: a begin, the automated values, an end, all on `parameter`.
    std::vector<HostMessage> gesture(int parameter, const std::vector<float>& values) const {
        std::vector<HostMessage> messages{{audioMasterBeginEdit, parameter, 0.0f}};
        for (const float value : values)
            messages.push_back({audioMasterAutomate, parameter, value});
        messages.push_back({audioMasterEndEdit, parameter, 0.0f});
        return messages;
    }
    std::string readoutName() const {
        const auto& shown = view->controller().echoDisplay()->readout();
        return shown ? shown->name : "";
    }
};

// Three steps from `step` toward the middle of the travel, as the knob sends them.
std::vector<float> threeStepsFrom(std::int32_t step, int direction) {
    const std::int32_t from = std::min(step, 99);
    return {control_values::valueOfKnobStep(from + direction),
            control_values::valueOfKnobStep(from + 2 * direction),
            control_values::valueOfKnobStep(from + 3 * direction)};
}

}  // namespace

TEST(KnobMoves, WheelNotchesAreOneGestureThatEndsWhenTheWheelRestsOrAtTheNextPress) {
    for (const layout::Control& place : layout::knobs) {
        MovesScene scene;
        Knob* knob = scene.controller().knobForParameter(place.parameter);
        const int direction = knob->step() < 50 ? 1 : -1;
        const std::vector<float> expected = threeStepsFrom(knob->step(), direction);
        const std::string name = readout::readoutOf(place.parameter, 0.0f, std::nullopt).name;
        for (int notch = 0; notch < 3; ++notch) {
            scene.surface->wheelTurned(MainViewScene::centreOf(*knob), direction);
            scene.wait(milliseconds(100));  // a hand turning: the gesture goes on
        }
        EXPECT_EQ(scene.readoutName(), name);
        scene.wait(milliseconds(450));  // at rest for half a second: the gesture ends
        EXPECT_EQ(scene.effect.hostMessages, scene.gesture(place.parameter, expected))
            << place.label;
        EXPECT_EQ(scene.effect.indexesWritten(), std::vector<VstInt32>(3, place.parameter));
        scene.wait(milliseconds(600));  // a second after the last notch, the readout goes
        EXPECT_EQ(scene.readoutName(), "");

        // A press elsewhere ends the wheel's gesture at once.
        scene.effect.hostMessages.clear();
        scene.surface->wheelTurned(MainViewScene::centreOf(*knob), -direction);
        scene.surface->mouseDown({5, 5});
        ASSERT_EQ(scene.effect.hostMessages.size(), 3u);
        EXPECT_EQ(scene.effect.hostMessages.back(),
                  (HostMessage{audioMasterEndEdit, place.parameter, 0.0f}));
    }
}

TEST(KnobMoves, AShiftDragMovesAStepPerEightPointsAsOneGestureWithItsReadoutShowing) {
    for (const layout::Control& place : layout::knobs) {
        MovesScene scene;
        Knob* knob = scene.controller().knobForParameter(place.parameter);
        const int direction = knob->step() < 50 ? 1 : -1;
        const std::vector<float> expected = threeStepsFrom(knob->step(), direction);
        const ui::Point at = MainViewScene::centreOf(*knob);
        scene.surface->mouseDown(at, 1, ui::ModifierShift);
        // 26 points in moves of 6.5: steps after 8, 16 and 24 points, nothing in between.
        for (double moved = 6.5; moved <= 26.0; moved += 6.5) {
            scene.surface->mouseDragged({at.x, at.y + direction * moved}, ui::ModifierShift);
            EXPECT_EQ(scene.readoutName(),
                      readout::readoutOf(place.parameter, 0.0f, std::nullopt).name);
        }
        scene.wait(milliseconds(5000));  // held: the readout stays however long
        EXPECT_NE(scene.readoutName(), "");
        scene.surface->mouseUp({at.x, at.y + direction * 26.0});
        EXPECT_EQ(scene.effect.hostMessages, scene.gesture(place.parameter, expected))
            << place.label;
        EXPECT_EQ(scene.effect.indexesWritten(), std::vector<VstInt32>(3, place.parameter));
    }
}

TEST(KnobMoves, ADoubleClickOrAControlClickReturnsTheKnobToTheLoadedProgramsValue) {
    for (const int program : {0, 5, 14}) {
        for (const layout::Control& place : layout::knobs) {
            MovesScene scene;
            scene.rebuildAt(program);
            Knob* knob = scene.controller().knobForParameter(place.parameter);
            // Away from the program's value first, by the wheel.
            scene.surface->wheelTurned(MainViewScene::centreOf(*knob), knob->step() < 50 ? 3 : -3);
            scene.wait(milliseconds(600));
            scene.effect.hostMessages.clear();
            scene.effect.writes.clear();

            const bool doubleClick = place.parameter % 2 == 0;
            const ui::Point at = MainViewScene::centreOf(*knob);
            scene.surface->mouseDown(at, 1);
            scene.surface->mouseUp(at);
            scene.surface->mouseDown(at, doubleClick ? 2 : 1,
                                     doubleClick ? ui::ModifierNone : ui::ModifierControl);
            scene.surface->mouseDragged({at.x, at.y + 40.0});  // the reset's press turns nothing
            scene.surface->mouseUp({at.x, at.y + 40.0});

            const float factory =
                parameter_fields::load(kFactoryPrograms[program].values, place.parameter);
            EXPECT_EQ(scene.effect.hostMessages, scene.gesture(place.parameter, {factory}))
                << place.label << " in program " << program;
            EXPECT_EQ(scene.effect.getParameter(place.parameter), factory);
            EXPECT_EQ(knob->step(), control_values::knobStepFor(factory));
        }
    }
}

// The pointer going straight from one control to the next: the readout is the new control's at
// the next display cycle, whatever the one left behind showed; a second after the pointer leaves
// the controls, it goes.
TEST(KnobMoves, TheReadoutFollowsThePointerFromKnobToKnobAtOnceAndStaysASecondAfterItLeaves) {
    const milliseconds displayCycle(16);
    MovesScene scene;
    const auto nameOf = [](int parameter) {
        return readout::readoutOf(parameter, 0.0f, std::nullopt).name;
    };
    for (std::size_t k = 0; k + 1 < layout::knobs.size(); ++k) {
        const Knob& from = *scene.controller().knobForParameter(layout::knobs[k].parameter);
        const int to = layout::knobs[k + 1].parameter;
        scene.surface->mouseMoved(MainViewScene::centreOf(from));
        scene.wait(milliseconds(300));
        if (k % 2 == 1) {
            // Just turned by the wheel: its own readout holds only while the pointer stays.
            scene.surface->wheelTurned(MainViewScene::centreOf(from), 1);
            scene.wait(milliseconds(100));
        }
        ASSERT_EQ(scene.readoutName(), nameOf(from.parameter()));
        scene.surface->mouseMoved(
            MainViewScene::centreOf(*scene.controller().knobForParameter(to)));
        scene.wait(displayCycle);
        EXPECT_EQ(scene.readoutName(), nameOf(to)) << "from " << layout::knobs[k].label;
    }
    scene.surface->mouseMoved({5, 5});
    scene.wait(milliseconds(900));
    EXPECT_EQ(scene.readoutName(), nameOf(layout::knobs.back().parameter));
    scene.wait(milliseconds(150));
    EXPECT_EQ(scene.readoutName(), "");
}
