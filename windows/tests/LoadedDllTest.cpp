// The built DLL loaded as a Windows host loads it (LoadLibrary, then VSTPluginMain) and reached
// only through its record, in a console program with no display.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "HostedEffect.h"
#include "PluginLibrary.h"

namespace {

VstIntPtr host(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// An impulse through a plain echo (no filters, no feedback) at 48 kHz: the dry impulse, then the
// echo on the other side after the program's delay.
void expectPlainEcho(const HostedEffect& effect) {
    effect.start(48000.0f, 256);
    effect.set(1, 0.0f);
    effect.set(2, 0.0f);
    effect.set(3, 0.0f);
    std::vector<float> inL(8192), inR(8192), outL(8192), outR(8192);
    inL[10] = 0.5f;
    for (int start = 0; start < 8192; start += 256) {
        float* in[2] = {&inL[start], &inR[start]};
        float* out[2] = {&outL[start], &outR[start]};
        effect.process(in, out, 256);
    }
    EXPECT_EQ(effect.text(effGetParamDisplay, 0), "3838");
    EXPECT_EQ(outL[10], 0.5f);
    EXPECT_EQ(outR[10 + 3838], 0.5f);
}

}  // namespace

TEST(LoadedDll, GivesAHostWithoutADisplayAWorkingEffectWhoseEditorShowsNothing) {
    const PluginLibrary library(ZV_PLUGIN_PATH);
    HostedEffect effect(library.instantiateChecked(host));
    const AEffect& record = *effect.record();
    EXPECT_EQ(record.numPrograms, 26);
    EXPECT_EQ(record.numParams, 9);
    EXPECT_EQ(record.numInputs, 2);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.uniqueID, 0x5A764438);
    // An editor, which with no window to be shown in shows nothing and takes idling and closing.
    EXPECT_EQ(record.flags, effFlagsCanReplacing | effFlagsHasEditor);
    effect.call(effEditOpen, 0, 0, nullptr);
    effect.call(effEditIdle, 0, 0, nullptr);
    EXPECT_EQ(effect.call(effEditClose, 0, 0, nullptr), 0);
    EXPECT_EQ(effect.text(effGetEffectName), "ZvDelay32");
    EXPECT_EQ(effect.text(effGetProgramNameIndexed, 20), "Repeat After Me");
    expectPlainEcho(effect);
    effect.set(8, 0.5f);
    EXPECT_EQ(effect.text(effGetParamDisplay, 8), "0.500000");
    EXPECT_EQ(effect.close(), 1);
}

// Hosts keep their audio threads while plug-ins come and go: a thread that used the DLL and
// still runs when it is unloaded, then ends, must not take the host down, and the DLL must load
// and work again afterwards.
TEST(LoadedDll, LoadsAgainAfterBeingUnloadedUnderAHostThreadThatUsedIt) {
    for (int round = 0; round < 3; ++round) {
        auto library = std::make_unique<PluginLibrary>(ZV_PLUGIN_PATH);
        std::mutex lock;
        std::condition_variable changed;
        bool used = false, unloaded = false;
        std::thread audio([&] {
            {
                HostedEffect effect(library->instantiateChecked(host));
                expectPlainEcho(effect);
            }
            std::unique_lock<std::mutex> hold(lock);
            used = true;
            changed.notify_all();
            changed.wait(hold, [&] { return unloaded; });
        });
        {
            std::unique_lock<std::mutex> hold(lock);
            changed.wait(hold, [&] { return used; });
            library.reset();
            unloaded = true;
            changed.notify_all();
        }
        audio.join();
    }
}
