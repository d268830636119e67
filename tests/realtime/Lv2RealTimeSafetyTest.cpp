// The LV2 plug-in library keeps the same promise as the VST 2 one: run and connect_port, which a
// host calls on its audio thread, take no memory from the heap, no lock and make no system call.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/core/lv2.h>

#include <cstdint>
#include <memory>

#include "AudioThreadWatch.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"
#include "RealTimeExpectations.h"
#include "StereoBuffer.h"
#include "SystemCallWatch.h"

// The shipped library loaded as a host loads it, at 44100 Hz: every preset's values in blocks of
// 1 to 4096 frames, the delay and one other control moved before each run, and every buffer
// moved to another address between runs.
TEST(RealTime, TheBuiltLv2PlugInRunsAndTakesPortsFreeOfAllocationsLocksAndSystemCalls) {
    const std::unique_ptr<void, int (*)(void*)> library(dlopen(ZV_LV2_DSP_PATH, RTLD_NOW), dlclose);
    ASSERT_NE(library, nullptr) << dlerror();
    const auto entry = reinterpret_cast<const LV2_Descriptor* (*)(std::uint32_t)>(
        dlsym(library.get(), "lv2_descriptor"));
    ASSERT_NE(entry, nullptr);
    const LV2_Descriptor* lv2 = entry(0);
    ASSERT_NE(lv2, nullptr);
    const LV2_Feature* const features[] = {nullptr};
    LV2_Handle instance = lv2->instantiate(lv2, 44100.0, ZV_LV2_BUNDLE_DIR "/", features);
    ASSERT_NE(instance, nullptr);

    constexpr std::uint32_t kLongest = 4096;
    StereoBuffer in[2] = {noise(kLongest, 5), noise(kLongest, 6)};
    StereoBuffer out[2] = {StereoBuffer(kLongest), StereoBuffer(kLongest)};
    float controls[2][kNumParams] = {};
    int side = 0;
    const auto connect = [&] {
        lv2->connect_port(instance, lv2id::kInputLeft, in[side].left.data());
        lv2->connect_port(instance, lv2id::kInputRight, in[side].right.data());
        lv2->connect_port(instance, lv2id::kOutputLeft, out[side].left.data());
        lv2->connect_port(instance, lv2id::kOutputRight, out[side].right.data());
        for (int index = 0; index < kNumParams; ++index)
            lv2->connect_port(instance, lv2id::controlPort(index), &controls[side][index]);
    };
    const auto hostAudioThread = [&] {
        for (int program = 0; program < kNumPrograms; ++program) {
            int step = 0;
            for (const std::uint32_t frames : {1u, 64u, 512u, kLongest}) {
                side = 1 - side;
                float* values = controls[side];
                for (int index = 0; index < kNumParams; ++index)
                    values[index] = parameter_fields::load(kFactoryPrograms[program].values, index);
                values[kDelay] *= static_cast<float>(4 - step) / 4.0f;
                const int moved = 1 + (program + step) % (kNumParams - 1);
                values[moved] = values[moved] > 0.5f ? 0.0f : 1.0f;
                ++step;
                connect();
                lv2->run(instance, frames);
            }
        }
    };
    connect();
    lv2->activate(instance);
    expectRealTimeSafe(hostAudioThread);
    lv2->deactivate(instance);
    lv2->cleanup(instance);
}
