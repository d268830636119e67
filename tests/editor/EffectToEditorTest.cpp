// The effect's parameter changes on their way to the view: from any thread, the audio thread
// included, without a lock or an allocation where they are made, shown at the next idle.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "AllocationCounter.h"
#include "ControlValues.h"
#include "EditorScene.h"
#include "ParameterMailbox.h"

TEST(EffectToEditor, ChangesFromSeveralThreadsEndWithTheLastValueOfEach) {
    EditorScene scene;
    scene.dispatch(effEditOpen);
    const VstInt32 indexes[] = {kFeedBack, kPan, kPanWidth, kMix};
    std::atomic<bool> go{false};
    std::vector<std::thread> hosts;
    for (VstInt32 index : indexes) {
        hosts.emplace_back([&, index] {
            while (!go.load()) std::this_thread::yield();
            for (int step = 0; step <= 60; ++step) {
                scene.effect.setParameter(index, static_cast<float>(step) / 100.0f);
            }
        });
    }
    go = true;
    for (int i = 0; i < 200; ++i) scene.dispatch(effEditIdle);  // the interface keeps looking
    for (auto& host : hosts) host.join();
    scene.dispatch(effEditIdle);
    EditorController& c = scene.controller();
    for (const Knob* knob : {c.knobForParameter(kFeedBack), c.knobForParameter(kPan),
                             c.knobForParameter(kPanWidth), c.knobForParameter(kMix)}) {
        EXPECT_EQ(MainViewScene::step(knob), 60);
    }
}

TEST(EffectToEditor, AHostThreadsChangesAllocateNothing) {
    if (!allocation_counter::isCounting()) GTEST_SKIP() << "the sanitizer counts allocations";
    EditorScene scene;
    scene.dispatch(effEditOpen);
    long made = -1;
    std::thread host([&] {
        const long before = allocation_counter::onThisThread();
        for (int round = 0; round < 1000; ++round) {
            for (VstInt32 index = 0; index <= kNumParams; ++index) {
                scene.effect.setParameter(index, static_cast<float>(round % 100) / 100.0f);
            }
        }
        made = allocation_counter::onThisThread() - before;
    });
    host.join();
    EXPECT_EQ(made, 0);
    scene.dispatch(effEditIdle);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kMix)), 99);
}

TEST(EffectToEditor, ARateChangeTakenUpByTheAudioThreadReachesTheViewWithoutAllocating) {
    EditorScene scene;
    scene.dispatch(effEditOpen);
    scene.effect.setParameter(kLowPass, 0.29f);
    scene.dispatch(effEditIdle);
    scene.controller().knobForParameter(kLowPass)->setStep(0);
    scene.controller().knobForParameter(kHighPass)->setStep(0);
    scene.effect.setSampleRate(48000.0f);
    StereoBuffer input(256), output(256);
    long made = -1;
    std::thread audio([&] {
        float* in[2] = {input.left.data(), input.right.data()};
        float* out[2] = {output.left.data(), output.right.data()};
        const long before = allocation_counter::onThisThread();
        scene.effect.processReplacing(in, out, 256);
        made = allocation_counter::onThisThread() - before;
    });
    audio.join();
    if (allocation_counter::isCounting()) {
        EXPECT_EQ(made, 0);
    }
    scene.dispatch(effEditIdle);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kLowPass)), 29);
    EXPECT_EQ(MainViewScene::step(scene.controller().knobForParameter(kHighPass)), 66);
}

TEST(EffectToEditor, TheMailboxKeepsTheLatestValueOfEachParameterAndDropsOthers) {
    ParameterMailbox mailbox;
    mailbox.post(3, 0.1f);
    mailbox.post(3, 0.2f);
    mailbox.post(0, 0.5f);
    mailbox.post(9, 1.0f);
    mailbox.post(-1, 1.0f);
    std::vector<std::pair<int, float>> delivered;
    mailbox.deliver([&](int index, float value) { delivered.emplace_back(index, value); });
    EXPECT_EQ(delivered, (std::vector<std::pair<int, float>>{{0, 0.5f}, {3, 0.2f}}));
    EXPECT_FALSE(mailbox.hasPending());
    mailbox.post(8, 0.3f);
    mailbox.discard();
    mailbox.deliver([&](int, float) { ADD_FAILURE() << "nothing was pending"; });
}

namespace {

// A host that, each time the editor's change reaches it, has one of its other threads change
// another parameter before it answers: that change comes while the editor's own call is still
// under way, and must still reach the display.
class HostChangingOnAnotherThread : public EditedEffect {
public:
    HostChangingOnAnotherThread() : EditedEffect(&HostChangingOnAnotherThread::callback) {}
    std::atomic<int> panChanges{0};

private:
    static VstIntPtr callback(AEffect* record, VstInt32 opcode, VstInt32 /*index*/,
                              VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
        if (opcode != audioMasterAutomate || record == nullptr || record->object == nullptr) {
            return 0;
        }
        auto* effect =
            static_cast<HostChangingOnAnotherThread*>(static_cast<AudioEffect*>(record->object));
        const int change = ++effect->panChanges;
        std::thread([effect, change] {
            effect->setParameter(kPan, static_cast<float>(change % 90 + 5) / 100.0f);
        }).join();
        return 0;
    }
};

}  // namespace

TEST(EffectToEditor, AHostChangeMadeWhileTheEditorSendsItsOwnStillReachesTheDisplay) {
    BasicEditorScene<HostChangingOnAnotherThread> scene;
    scene.dispatch(effEditOpen);
    std::atomic<bool> done{false};
    std::thread automation([&] {  // meanwhile, automation of its own on yet another thread
        for (int round = 0; !done.load(); ++round) {
            scene.effect.setParameter(kFeedBack, static_cast<float>(round % 100) / 100.0f);
        }
    });
    for (int round = 0; round < 300; ++round) {
        scene.effect.editorSide().changeByGesture(kMix, static_cast<float>(round % 50) / 100.0f);
        scene.dispatch(effEditIdle);
        const float pan = scene.effect.getParameter(kPan);
        ASSERT_EQ(MainViewScene::step(scene.controller().knobForParameter(kPan)),
                  control_values::knobStepFor(pan))
            << "round " << round;
    }
    done = true;
    automation.join();
    EXPECT_GT(scene.effect.panChanges.load(), 200);
}
