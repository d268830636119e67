// The bundle as a host finds it: its exports, the factory's class, the buses, the parameters with
// the VST 2 plug-in's names, units and texts, and the program list.
#include <array>
#include <cstdio>
#include <string>

#include "Vst3Identity.h"
#include "Vst3TestHost.h"

namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 256> chunk;
        while (fgets(chunk.data(), chunk.size(), pipe) != nullptr) output += chunk.data();
        pclose(pipe);
    }
    return output;
}

}  // namespace

TEST_F(Vst3AndVst2, BundleLibraryExportsOnlyItsThreeEntryPointsAndCarriesItsRuntime) {
#ifdef _WIN32
    GTEST_SKIP() << "the DLL's exports and imports are checked from its import and export tables";
#endif
    const std::string library = Vst3Module::libraryOf(ZV_VST3_BUNDLE);
    EXPECT_EQ(library, std::string(ZV_VST3_BUNDLE) + "/Contents/x86_64-linux/ZvDelay32.so");
    EXPECT_EQ(commandOutput("nm -D --defined-only " + library + " | awk '{print $3}' | sort"),
              "GetPluginFactory\nModuleEntry\nModuleExit\n");
#ifndef ZV_SANITIZED
    EXPECT_EQ(commandOutput("readelf -d " + library).find("libstdc++"), std::string::npos);
#endif
}

TEST_F(Vst3AndVst2, FactoryNamesOneDelayEffectClassUnderAStableId) {
    vst3::IPluginFactory& factory = vst3Module->factory();
    ASSERT_EQ(factory.countClasses(), 1);
    void* second = nullptr;
    ASSERT_EQ(factory.queryInterface(vst3::IPluginFactory2::iid.data(), &second), vst3::kResultOk);
    vst3::PClassInfo2 info{};
    ASSERT_EQ(static_cast<vst3::IPluginFactory2*>(second)->getClassInfo2(0, &info),
              vst3::kResultOk);
    EXPECT_STREQ(info.category, "Audio Module Class");
    EXPECT_STREQ(info.subCategories, "Fx|Delay");
    EXPECT_STREQ(info.name, "ZvDelay32");
    // Hosts keep this id in their sessions: it never changes. Windows hosts read it as a COM
    // GUID, the first three fields low byte first.
#ifdef _WIN32
    const std::array<unsigned char, 16> id = {0x38, 0x44, 0x76, 0x5A, 0x65, 0x5A, 0x76, 0x6C,
                                              0x44, 0x65, 0x6C, 0x61, 0x79, 0x33, 0x32, 0x00};
#else
    const std::array<unsigned char, 16> id = {0x5A, 0x76, 0x44, 0x38, 0x5A, 0x65, 0x6C, 0x76,
                                              0x44, 0x65, 0x6C, 0x61, 0x79, 0x33, 0x32, 0x00};
#endif
    EXPECT_EQ(std::memcmp(info.cid, id.data(), id.size()), 0);
    void* none = nullptr;
    EXPECT_NE(
        factory.createInstance(vst3::IComponent::iid.data(), vst3::IComponent::iid.data(), &none),
        vst3::kResultOk);
    EXPECT_EQ(none, nullptr);
}

TEST_F(Vst3AndVst2, TakesStereoIn32BitsAndRefusesEverythingElse) {
    auto instance = newVst3();
    vst3::IComponent& component = instance->component();
    vst3::IAudioProcessor& processor = instance->processor();
    EXPECT_EQ(component.getBusCount(vst3::kAudio, vst3::kInput), 1);
    EXPECT_EQ(component.getBusCount(vst3::kAudio, vst3::kOutput), 1);
    EXPECT_EQ(component.getBusCount(vst3::kEvent, vst3::kInput), 0);
    vst3::BusInfo bus{};
    ASSERT_EQ(component.getBusInfo(vst3::kAudio, vst3::kOutput, 0, bus), vst3::kResultOk);
    EXPECT_EQ(bus.channelCount, 2);

    vst3::SpeakerArrangement stereo = vst3::kStereo, mono = 0x1, surround = 0x3F;
    EXPECT_EQ(processor.setBusArrangements(&stereo, 1, &stereo, 1), vst3::kResultOk);
    EXPECT_NE(processor.setBusArrangements(&mono, 1, &stereo, 1), vst3::kResultOk);
    EXPECT_NE(processor.setBusArrangements(&stereo, 1, &surround, 1), vst3::kResultOk);
    EXPECT_NE(processor.setBusArrangements(&stereo, 1, &stereo, 0), vst3::kResultOk);
    EXPECT_EQ(processor.canProcessSampleSize(vst3::kSample32), vst3::kResultOk);
    EXPECT_NE(processor.canProcessSampleSize(vst3::kSample64), vst3::kResultOk);
    EXPECT_EQ(processor.getLatencySamples(), 0u);
}

TEST_F(Vst3AndVst2, ParametersHaveTheVst2NamesUnitsAndTextsAndTheSwitchesAreStepped) {
    auto instance = newVst3();
    HostedEffect vst2 = newVst2();
    vst2.start(44100.0f);
    instance->start(44100.0);
    vst3::IEditController& controller = instance->controller();
    ASSERT_EQ(controller.getParameterCount(), 10);
    for (vst3::int32 index = 0; index < 9; ++index) {
        vst3::ParameterInfo info{};
        ASSERT_EQ(controller.getParameterInfo(index, info), vst3::kResultOk);
        EXPECT_EQ(info.id, static_cast<vst3::ParamID>(index));
        EXPECT_EQ(asciiOf(info.title), vst2.text(effGetParamName, index));
        EXPECT_EQ(asciiOf(info.units), vst2.text(effGetParamLabel, index));
        EXPECT_EQ(info.stepCount, (index == 4 || index == 5) ? 1 : 0) << index;
        EXPECT_TRUE(info.flags & vst3::ParameterInfo::kCanAutomate);
        for (const float value : {0.0f, 0.08f, 0.5f, 0.37412f, 1.0f}) {
            vst2.set(index, value);
            controller.setParamNormalized(static_cast<vst3::ParamID>(index), value);
            EXPECT_EQ(instance->text(static_cast<vst3::ParamID>(index)),
                      vst2.text(effGetParamDisplay, index))
                << index << " at " << value;
            // The text of a value the parameter does not hold is the one it would show.
            vst3::String128 other{};
            controller.getParamStringByValue(static_cast<vst3::ParamID>(index), 0.25, other);
            vst2.set(index, 0.25f);
            EXPECT_EQ(asciiOf(other), vst2.text(effGetParamDisplay, index)) << index;
        }
    }
}

TEST_F(Vst3AndVst2, ProgramsAreAListOfTheVst2ProgramsThatTheProgramParameterLoads) {
    auto instance = newVst3();
    HostedEffect vst2 = newVst2();
    vst3::IUnitInfo* units = instance->units();
    ASSERT_NE(units, nullptr);
    vst3::UnitInfo unit{};
    ASSERT_EQ(units->getUnitInfo(0, unit), vst3::kResultOk);
    vst3::ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), vst3::kResultOk);
    EXPECT_EQ(unit.programListId, list.id);
    EXPECT_EQ(list.programCount, 26);

    vst3::ParameterInfo change{};
    ASSERT_EQ(instance->controller().getParameterInfo(9, change), vst3::kResultOk);
    EXPECT_TRUE(change.flags & vst3::ParameterInfo::kIsProgramChange);
    EXPECT_EQ(change.stepCount, 25);
    EXPECT_EQ(change.unitId, unit.id);
    for (int program = 0; program < 26; ++program) {
        EXPECT_EQ(instance->programName(program), vst2.text(effGetProgramNameIndexed, program));
        instance->controller().setParamNormalized(change.id, program / 25.0);
        vst2.call(effSetProgram, 0, program);
        for (vst3::ParamID id = 0; id < 9; ++id) {
            EXPECT_EQ(instance->controller().getParamNormalized(id),
                      static_cast<double>(vst2.get(static_cast<VstInt32>(id))))
                << program << ", " << id;
        }
    }
}
