// The wheel in a host that records a lane as Ardour does in Latch while rolling: until the user
// touches the control it plays the lane back into the plug-in before each block, whenever the
// plug-in holds another value; from the begin on it records every value it hears and plays
// nothing back; after the end it holds the last value heard. With that host the editor's
// gestures reach it from the audio thread, so the begin comes only after the playback of the
// block that follows the first notch.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "ControlValues.h"
#include "EditorScene.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// One automation lane in Latch, with the transport rolling.
class LatchLane {
public:
    explicit LatchLane(float value) : held(value) {}

    // Before each block: the lane's value goes into the plug-in while nobody has touched it.
    void playBack(AudioEffect& effect, int index) const {
        if (!latched && effect.getParameter(index) != held) effect.setParameter(index, held);
    }
    // What the plug-in told the host in a block.
    void hear(const std::vector<HostMessage>& messages) {
        for (const HostMessage& m : messages) {
            if (m.opcode == audioMasterBeginEdit) latched = true;
            if (m.opcode == audioMasterEndEdit) ends += 1;
            if (m.opcode == audioMasterAutomate && latched) {
                recorded.push_back(m.value);
                held = m.value;
            }
        }
    }

    std::vector<float> recorded;
    float held;
    int ends = 0;

private:
    bool latched = false;  // from the first begin to the transport's stop
};

}  // namespace

TEST(WheelInArdour, ALatchLaneRecordsEveryNotchOfATurnAndHoldsTheLast) {
    for (const int notches : {1, 3, 5}) {
        WatchedEditorScene scene;
        WatchedEffect& effect = scene.effect;
        effect.hostProduct = "Ardour";
        ASSERT_EQ(scene.dispatch(effEditOpen), 1);
        Clock::time_point now{};
        scene.controller().setClock([&now] { return now; });
        Knob& knob = *scene.controller().knobForParameter(kFeedBack);
        const int firstStep = knob.step();  // 22, for the first program's 0.215
        LatchLane lane(effect.getParameter(kFeedBack));

        // 75 ms of the host's time: the lane's playback, a block on an audio thread of its own,
        // what the host heard in it, and the editor's idle call.
        const auto cycle = [&] {
            now += milliseconds(75);
            effect.hostMessages.clear();
            lane.playBack(effect, kFeedBack);
            std::thread audio([&effect] { effect.runSilence(64, 64); });
            audio.join();
            lane.hear(effect.hostMessages);
            scene.dispatch(effEditIdle);
        };
        const ui::MouseEvent notchUp(ui::MouseEvent::Type::Wheel, MainViewScene::centreOf(knob), 1,
                                     ui::ModifierNone, 1);
        std::vector<float> expected;
        for (int notch = 1; notch <= notches; ++notch) {
            knob.wheelTurned(notchUp);
            expected.push_back(control_values::valueOfKnobStep(firstStep + notch));
            for (int block = 0; block < 4; ++block) cycle();  // 0.3 s to the next notch
        }
        for (int block = 0; block < 4; ++block) cycle();  // at rest: the gesture ends

        EXPECT_EQ(lane.recorded, expected) << notches << " notches";
        EXPECT_EQ(lane.ends, 1);
        EXPECT_EQ(lane.held, expected.back());
        EXPECT_EQ(effect.getParameter(kFeedBack), expected.back());
        EXPECT_EQ(knob.step(), firstStep + notches);
        scene.dispatch(effEditClose);
    }
}
