// A host calling from every thread at once. One thread runs the audio in 64-frame blocks while
// others change all nine parameters, switch and rename programs, read every text and announce
// new sample rates. Nothing may race (the ThreadSanitizer build watches), every sample must be
// one a validating host accepts, and once the threads stop the effect must hold the last value
// each parameter was given.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "AudioChecks.h"
#include "DelayEffect.h"
#include "HostCallback.h"
#include "HostedEffect.h"
#include "StereoBuffer.h"

namespace {
using namespace std::chrono_literals;

constexpr auto kEverythingAtOnce = 2000ms;
constexpr auto kParametersAfterPrograms = 300ms;
constexpr VstInt32 kBlock = 64;
// Whole numbers only: a rate that differs in its fraction alone keeps the delay length it had,
// which the last check below does not follow.
constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f, 22050.0f, 192000.0f, 32000.0f, 88200.0f};
constexpr int kWriters = 3;

bool isSwitch(VstInt32 index) { return index == kLowPassInLoop || index == kHighPassInLoop; }

// How many times each kind of call was made, for the record of the run.
struct CallCounts {
    std::atomic<long> blocks{0};
    std::atomic<long> parameterChanges{0};
    std::atomic<long> programChanges{0};
    std::atomic<long> programRenames{0};
    std::atomic<long> textReads{0};
    std::atomic<long> rateChanges{0};
};

// A flag each group of threads runs under, stopped in the order the final checks need.
struct RunFlag {
    std::atomic<bool> on{true};
    explicit operator bool() const { return on.load(std::memory_order_relaxed); }
    void stop() { on.store(false, std::memory_order_relaxed); }
};

bool terminatedWithin(const char* text, std::size_t size) {
    return std::memchr(text, '\0', size) != nullptr;
}

class ConcurrentHost : public ::testing::Test {
protected:
    void SetUp() override {
        synth = static_cast<DelayEffect*>(createEffect(quietHost));
        effect = HostedEffect(synth->getAeffect());
        effect.start();
    }

    // The audio thread: blocks of noise, every output sample checked.
    void runAudio() {
        const StereoBuffer input = noise(kBlock * 1024, 1);
        std::vector<float> outL(kBlock), outR(kBlock);
        std::size_t offset = 0;
        std::size_t bad = 0;
        while (audio) {
            float* inputs[2] = {const_cast<float*>(input.left.data()) + offset,
                                const_cast<float*>(input.right.data()) + offset};
            float* outputs[2] = {outL.data(), outR.data()};
            effect.process(inputs, outputs, kBlock);
            bad += countUnusableSamples(outL.data(), kBlock) +
                   countUnusableSamples(outR.data(), kBlock);
            offset = (offset + kBlock) % input.frames();
            counts.blocks.fetch_add(1, std::memory_order_relaxed);
        }
        unusableSamples = bad;
    }

    // Writer w owns parameters w, w + 3 and w + 6 (Delay among them for writer 0), so the last
    // value of each parameter is the last one its own writer set.
    void runWriter(int w) {
        std::minstd_rand random(static_cast<unsigned>(w) + 1u);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        while (writers) {
            const VstInt32 index = w + 3 * static_cast<VstInt32>(random() % 3);
            const float value = isSwitch(index) ? static_cast<float>(random() % 2) : unit(random);
            effect.set(index, value);
            lastValues[static_cast<std::size_t>(index)] = value;
            counts.parameterChanges.fetch_add(1, std::memory_order_relaxed);
        }
    }

    // Programs are chosen and renamed from one thread, so the final names are known.
    void runPrograms() {
        std::minstd_rand random(99);
        long renames = 0;
        while (programs) {
            const auto program = static_cast<VstInt32>(random() % kNumPrograms);
            effect.call(effSetProgram, 0, program);
            counts.programChanges.fetch_add(1, std::memory_order_relaxed);
            if (random() % 4 == 0) {
                std::string name = "Take " + std::to_string(++renames);
                effect.call(effSetProgramName, 0, 0, name.data());
                programNames[static_cast<std::size_t>(program)] = name;
                counts.programRenames.fetch_add(1, std::memory_order_relaxed);
            }
            std::this_thread::yield();
        }
    }

    // Every text a host shows, into buffers of exactly the documented sizes.
    void runTexts() {
        std::minstd_rand random(7);
        while (readers) {
            const auto index = static_cast<VstInt32>(random() % kNumParams);
            char display[kVstMaxParamStrLen + 1];
            char name[14];
            char programName[kVstMaxProgNameLen + 1];
            effect.call(effGetParamDisplay, index, 0, display);
            effect.call(effGetParamName, index, 0, name);
            effect.call(effGetParamLabel, index, 0, name);
            effect.call(effGetProgramName, 0, 0, programName);
            textsUnterminated += terminatedWithin(display, sizeof display) ? 0 : 1;
            textsUnterminated += terminatedWithin(name, sizeof name) ? 0 : 1;
            textsUnterminated += terminatedWithin(programName, sizeof programName) ? 0 : 1;
            effect.call(effGetProgramNameIndexed, static_cast<VstInt32>(random() % kNumPrograms), 0,
                        programName);
            textsUnterminated += terminatedWithin(programName, sizeof programName) ? 0 : 1;
            effect.get(index);
            counts.textReads.fetch_add(5, std::memory_order_relaxed);
        }
    }

    // New rates, block sizes and switch-ons, as a host does when its audio device changes.
    void runRates() {
        std::minstd_rand random(3);
        while (readers) {
            const float rate = kRates[random() % std::size(kRates)];
            effect.call(effSetSampleRate, 0, 0, nullptr, rate);
            lastRate = rate;
            effect.call(effSetBlockSize, 0, static_cast<VstIntPtr>(random() % 4096));
            if (random() % 8 == 0) effect.call(effMainsChanged, 0, 1);
            counts.rateChanges.fetch_add(1, std::memory_order_relaxed);
            std::this_thread::sleep_for(200us);
        }
    }

    DelayEffect* synth = nullptr;
    HostedEffect effect;
    CallCounts counts;
    RunFlag audio, writers, programs, readers;
    std::array<float, kNumParams> lastValues{};
    std::array<std::string, kNumPrograms> programNames{};
    float lastRate = 44100.0f;
    std::size_t unusableSamples = 0;
    std::size_t textsUnterminated = 0;
};
}  // namespace

TEST_F(ConcurrentHost, EveryCallAtOnceLeavesTheLastValuesSetAndUsableAudio) {
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        char name[kVstMaxProgNameLen + 1] = {};
        effect.call(effGetProgramNameIndexed, p, 0, name);
        programNames[static_cast<std::size_t>(p)] = name;
    }

    std::thread audioThread([this] { runAudio(); });
    std::vector<std::thread> writerThreads;
    for (int w = 0; w < kWriters; ++w) writerThreads.emplace_back([this, w] { runWriter(w); });
    std::thread programThread([this] { runPrograms(); });
    std::thread textThread([this] { runTexts(); });
    std::thread rateThread([this] { runRates(); });

    // Stopped in this order: programs first, so that afterwards each parameter has one writer;
    // then the writers while rates still change; then rates and readers; the audio thread last,
    // after it has taken up the final rate.
    std::this_thread::sleep_for(kEverythingAtOnce);
    programs.stop();
    programThread.join();
    std::this_thread::sleep_for(kParametersAfterPrograms);
    writers.stop();
    for (std::thread& t : writerThreads) t.join();
    readers.stop();
    textThread.join();
    rateThread.join();
    const long blocksBefore = counts.blocks.load();
    while (counts.blocks.load() < blocksBefore + 2) std::this_thread::yield();
    audio.stop();
    audioThread.join();

    std::printf(
        "audio blocks %ld, parameter changes %ld, program changes %ld, renames %ld, "
        "text reads %ld, rate changes %ld\n",
        counts.blocks.load(), counts.parameterChanges.load(), counts.programChanges.load(),
        counts.programRenames.load(), counts.textReads.load(), counts.rateChanges.load());
    RecordProperty("audioBlocks", std::to_string(counts.blocks.load()));
    RecordProperty("parameterChanges", std::to_string(counts.parameterChanges.load()));

    EXPECT_EQ(unusableSamples, 0u);
    EXPECT_EQ(textsUnterminated, 0u);
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(effect.get(i), lastValues[static_cast<std::size_t>(i)]) << "parameter " << i;
    }
    EXPECT_EQ(synth->delayCore().delayLength()->samples,
              delayLengthInSamples(lastRate, lastValues[kDelay]));

    // The current program's memory holds the same values: choosing it again changes nothing.
    effect.call(effSetProgram, 0, effect.call(effGetProgram));
    for (VstInt32 i = 0; i < kNumParams; ++i) {
        EXPECT_EQ(effect.get(i), lastValues[static_cast<std::size_t>(i)]) << "parameter " << i;
    }
    for (VstInt32 p = 0; p < kNumPrograms; ++p) {
        char name[kVstMaxProgNameLen + 1] = {};
        effect.call(effGetProgramNameIndexed, p, 0, name);
        EXPECT_EQ(name, programNames[static_cast<std::size_t>(p)]) << "program " << p;
    }
}

TEST_F(ConcurrentHost, EchoComesBackOnceTheOtherThreadsAreDone) {
    std::thread audioThread([this] { runAudio(); });
    std::thread writerThread([this] { runWriter(0); });
    std::thread rateThread([this] { runRates(); });
    std::this_thread::sleep_for(500ms);
    writers.stop();
    readers.stop();
    writerThread.join();
    rateThread.join();
    audio.stop();
    audioThread.join();

    effect.call(effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect.call(effSetProgram, 0, 0);
    effect.set(kDelay, 0.079977326f);
    for (VstInt32 i : {kFeedBack, kLowPass, kHighPass, kPanWidth}) effect.set(i, 0.0f);
    effect.set(kPan, 0.5f);
    effect.set(kMix, 1.0f);
    StereoBuffer in = impulse(8192, 0, 1.0f, 0.0f);
    StereoBuffer out(8192);
    for (std::size_t start = 0; start < 8192; start += kBlock) {
        float* inputs[2] = {in.left.data() + start, in.right.data() + start};
        float* outputs[2] = {out.left.data() + start, out.right.data() + start};
        effect.process(inputs, outputs, kBlock);
    }
    EXPECT_EQ(out.right[3526], 1.0f);
    EXPECT_EQ(out.right[3525], 0.0f);
}
