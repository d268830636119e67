// Every preset, rendered through the LV2 plug-in, against the VST 2 plug-in's rendering of the
// same program at the same rate by zvhost: bit for bit. Once through lv2apply, a host we did not
// write (frame by frame, as it runs), and once through a host of our own that runs in this
// process, so the sanitizer builds check the plug-in library too, and that does what hosts may
// do: blocks of any size from 1 to 8192, buffers that move between runs, input and output in the
// same buffer or crossed over, control ports rewritten with the same values.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "BundleWorld.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "RunProgram.h"
#include "TestFiles.h"

namespace {

using zvtest::WavContents;

// First frame at which two renderings differ in any bit, or -1.
long firstDifference(const WavContents& a, const WavContents& b) {
    if (a.interleaved.size() != b.interleaved.size()) return 0;
    for (std::size_t i = 0; i < a.interleaved.size(); ++i) {
        if (std::bit_cast<std::uint32_t>(a.interleaved[i]) !=
            std::bit_cast<std::uint32_t>(b.interleaved[i])) {
            return static_cast<long>(i / 2);
        }
    }
    return -1;
}

// A block of samples with guard values on both sides, at a fresh address each time.
class GuardedBlock {
public:
    static constexpr std::size_t kGuard = 16;
    static constexpr std::uint32_t kGuardBits = 0x7fc0dead;  // a NaN no arithmetic makes

    explicit GuardedBlock(std::size_t frames) : storage(frames + 2 * kGuard) {
        for (float& sample : storage) sample = std::bit_cast<float>(kGuardBits);
    }
    float* data() { return storage.data() + kGuard; }
    bool guardsIntact() const {
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (std::bit_cast<std::uint32_t>(storage[i]) != kGuardBits ||
                std::bit_cast<std::uint32_t>(storage[storage.size() - 1 - i]) != kGuardBits) {
                return false;
            }
        }
        return true;
    }

private:
    std::vector<float> storage;
};

// The preset through the plug-in library loaded in this process, as a demanding host runs it.
WavContents renderInProcess(const LilvPlugin* plugin, const BundlePreset& preset,
                            const WavContents& input) {
    WavContents output{input.sampleRate, 2, input.format,
                       std::vector<float>(input.interleaved.size())};
    LilvInstance* instance = lilv_plugin_instantiate(plugin, input.sampleRate, nullptr);
    if (instance == nullptr) return {};
    lilv_instance_activate(instance);
    static constexpr std::uint32_t kBlocks[] = {1, 8192, 7, 128, 129, 3000, 64, 1, 511, 4096};
    const std::size_t frames = input.frames();
    std::size_t done = 0;
    for (std::size_t run = 0; done < frames; ++run) {
        const std::size_t block =
            std::min<std::size_t>(kBlocks[run % std::size(kBlocks)], frames - done);
        // Fresh control values at a fresh address, unchanged: nothing may be applied again.
        GuardedBlock controls(kNumParams);
        std::memcpy(controls.data(), preset.values.data(), sizeof preset.values);
        for (int index = 0; index < kNumParams; ++index) {
            lilv_instance_connect_port(instance, lv2id::controlPort(index),
                                       controls.data() + index);
        }
        GuardedBlock left(block), right(block);
        for (std::size_t f = 0; f < block; ++f) {
            left.data()[f] = input.interleaved[2 * (done + f)];
            right.data()[f] = input.interleaved[2 * (done + f) + 1];
        }
        // Every third run in place, every third crossed over, the rest apart.
        GuardedBlock apartLeft(block), apartRight(block);
        float* outL = run % 3 == 0 ? left.data() : run % 3 == 1 ? right.data() : apartLeft.data();
        float* outR = run % 3 == 0 ? right.data() : run % 3 == 1 ? left.data() : apartRight.data();
        lilv_instance_connect_port(instance, lv2id::kInputLeft, left.data());
        lilv_instance_connect_port(instance, lv2id::kInputRight, right.data());
        lilv_instance_connect_port(instance, lv2id::kOutputLeft, outL);
        lilv_instance_connect_port(instance, lv2id::kOutputRight, outR);
        lilv_instance_run(instance, static_cast<std::uint32_t>(block));
        const bool guarded = left.guardsIntact() && right.guardsIntact() &&
                             apartLeft.guardsIntact() && apartRight.guardsIntact() &&
                             controls.guardsIntact();
        EXPECT_TRUE(guarded) << "run " << run << " wrote outside its buffers";
        for (int index = 0; index < kNumParams; ++index) {
            EXPECT_EQ(controls.data()[index], preset.values[static_cast<std::size_t>(index)]);
        }
        for (std::size_t f = 0; f < block; ++f) {
            output.interleaved[2 * (done + f)] = outL[f];
            output.interleaved[2 * (done + f) + 1] = outR[f];
        }
        done += block;
    }
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    return output;
}

class EveryPreset : public testing::Test {
protected:
    // A failure here is kept and reported by each test: gtest would only count them skipped.
    static void SetUpTestSuite() {
        folder = new zvtest::TemporaryFolder;
        // The demo phrase, at its own rate, rendered by the VST 2 plug-in through every program.
        const auto demo =
            zvtest::runZvhost({"demo", folder->file("demo"), "--plugin", ZV_PLUGIN_PATH});
        if (demo.exitStatus != 0) problem = "zvhost demo failed: " + demo.err;
        for (int program = 0; program < kNumPrograms && problem.empty(); ++program) {
            const auto vst = zvtest::runZvhost({"render", input(), vstFile(program), "--program",
                                                std::to_string(program), "--tail", "0", "--plugin",
                                                ZV_PLUGIN_PATH});
            if (vst.exitStatus != 0) problem = "zvhost render failed: " + vst.err;
        }
    }
    void SetUp() override { ASSERT_TRUE(problem.empty()) << problem; }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    static std::string input() { return folder->file("demo/input.wav"); }
    static std::string vstFile(int program) {
        return folder->file("vst" + std::to_string(program) + ".wav");
    }

    static zvtest::TemporaryFolder* folder;
    static std::string problem;
};
zvtest::TemporaryFolder* EveryPreset::folder = nullptr;
std::string EveryPreset::problem;

}  // namespace

TEST_F(EveryPreset, SoundsInLv2applyAsItsProgramInTheVst2PluginBitForBit) {
#ifdef ZV_SANITIZED
    GTEST_SKIP()
        << "lv2apply cannot load a library built with sanitizers; the in-process host covers it";
#endif
    BundleWorld bundle;
    const auto presets = bundle.presets();
    ASSERT_EQ(presets.size(), static_cast<std::size_t>(kNumPrograms));
    // The bundle in a folder of its own: lilv then finds it, and nothing else of the build tree.
    const std::string lv2Path = folder->file("lv2");
    std::filesystem::create_directory(lv2Path);
    std::filesystem::create_directory_symlink(ZV_LV2_BUNDLE_DIR, lv2Path + "/ZvDelay32.lv2");
    for (int program = 0; program < kNumPrograms; ++program) {
        const BundlePreset& preset = presets[static_cast<std::size_t>(program)];
        const std::string out = folder->file("lv2apply" + std::to_string(program) + ".wav");
        auto arguments = lv2applyArguments(preset, input(), out);
        arguments.insert(arguments.begin(), {"/usr/bin/env", "LV2_PATH=" + lv2Path});
        const auto result = zvtest::runProgram(arguments);
        ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;
        const WavContents lv2 = zvtest::readWav(out);
        const WavContents vst = zvtest::readWav(vstFile(program));
        ASSERT_EQ(lv2.frames(), vst.frames()) << preset.label;
        EXPECT_EQ(firstDifference(lv2, vst), -1) << preset.label;
    }
}

TEST_F(EveryPreset, SoundsInAnyBlockingAndBufferLayoutAsItsProgramInTheVst2PluginBitForBit) {
    BundleWorld bundle;
    ASSERT_NE(bundle.plugin(), nullptr);
    const auto presets = bundle.presets();
    ASSERT_EQ(presets.size(), static_cast<std::size_t>(kNumPrograms));
    const WavContents dry = zvtest::readWav(input());
    for (int program = 0; program < kNumPrograms; ++program) {
        const BundlePreset& preset = presets[static_cast<std::size_t>(program)];
        const WavContents lv2 = renderInProcess(bundle.plugin(), preset, dry);
        const WavContents vst = zvtest::readWav(vstFile(program));
        ASSERT_EQ(lv2.frames(), vst.frames()) << preset.label;
        EXPECT_EQ(firstDifference(lv2, vst), -1) << preset.label;
        EXPECT_NE(firstDifference(lv2, dry), -1) << preset.label << " added no echo";
    }
}
