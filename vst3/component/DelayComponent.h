// The delay effect as a VST 3 host sees it: one object that is the audio processor, the edit
// controller with the parameters' texts, and the unit with the program list. The host's calls
// are translated into the core's and back; no rule of the effect is written here.
//
// Threads: process() on the audio thread, where the host's parameter queues are applied at their
// sample offsets; everything else on the host's other threads, as the core allows.
#pragma once

#include <atomic>

#include "ComponentSides.h"
#include "DelayCore.h"
#include "Vst3EditorHost.h"

class DelayComponent;
// Makes the editor's view for a component; the plug-in's assembly chooses it, so the component
// knows no windowing.
using ViewFactory = vst3::IPlugView* (*)(DelayComponent& component);

class DelayComponent final : public ProcessorSide,
                             public vst3::IAudioProcessor,
                             public ControllerSide,
                             public vst3::IUnitInfo {
public:
    // Without `makeView` the component has no editor.
    explicit DelayComponent(ViewFactory makeView = nullptr);
    DelayComponent(const DelayComponent&) = delete;
    DelayComponent& operator=(const DelayComponent&) = delete;

    // FUnknown
    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override;
    vst3::uint32 release() override;

    // IPluginBase (both sides)
    vst3::tresult initialize(vst3::FUnknown* context) override;
    vst3::tresult terminate() override;

    // IComponent
    vst3::tresult getControllerClassId(vst3::TUID classId) override;
    vst3::tresult setIoMode(vst3::int32 mode) override;
    vst3::int32 getBusCount(vst3::int32 type, vst3::int32 direction) override;
    vst3::tresult getBusInfo(vst3::int32 type, vst3::int32 direction, vst3::int32 index,
                             vst3::BusInfo& bus) override;
    vst3::tresult getRoutingInfo(vst3::RoutingInfo& inInfo, vst3::RoutingInfo& outInfo) override;
    vst3::tresult activateBus(vst3::int32 type, vst3::int32 direction, vst3::int32 index,
                              vst3::TBool state) override;
    vst3::tresult setActive(vst3::TBool state) override;

    // IAudioProcessor
    vst3::tresult setBusArrangements(vst3::SpeakerArrangement* inputs, vst3::int32 numIns,
                                     vst3::SpeakerArrangement* outputs,
                                     vst3::int32 numOuts) override;
    vst3::tresult getBusArrangement(vst3::int32 direction, vst3::int32 index,
                                    vst3::SpeakerArrangement& arrangement) override;
    vst3::tresult canProcessSampleSize(vst3::int32 symbolicSampleSize) override;
    vst3::uint32 getLatencySamples() override { return 0; }
    vst3::tresult setupProcessing(vst3::ProcessSetup& setup) override;
    vst3::tresult setProcessing(vst3::TBool state) override;
    vst3::tresult process(vst3::ProcessData& data) override;
    vst3::uint32 getTailSamples() override;

    // IEditController
    vst3::tresult setComponentState(vst3::IBStream* state) override;
    vst3::int32 getParameterCount() override;
    vst3::tresult getParameterInfo(vst3::int32 paramIndex, vst3::ParameterInfo& info) override;
    vst3::tresult getParamStringByValue(vst3::ParamID id, vst3::ParamValue valueNormalized,
                                        vst3::String128 string) override;
    vst3::tresult getParamValueByString(vst3::ParamID id, vst3::char16* string,
                                        vst3::ParamValue& valueNormalized) override;
    vst3::ParamValue normalizedParamToPlain(vst3::ParamID id,
                                            vst3::ParamValue valueNormalized) override;
    vst3::ParamValue plainParamToNormalized(vst3::ParamID id, vst3::ParamValue plain) override;
    vst3::ParamValue getParamNormalized(vst3::ParamID id) override;
    vst3::tresult setParamNormalized(vst3::ParamID id, vst3::ParamValue value) override;
    vst3::tresult setComponentHandler(vst3::IComponentHandler* handler) override;
    vst3::IPlugView* createView(vst3::FIDString name) override;

    // IUnitInfo
    vst3::int32 getUnitCount() override { return 1; }
    vst3::tresult getUnitInfo(vst3::int32 unitIndex, vst3::UnitInfo& info) override;
    vst3::int32 getProgramListCount() override { return 1; }
    vst3::tresult getProgramListInfo(vst3::int32 listIndex, vst3::ProgramListInfo& info) override;
    vst3::tresult getProgramName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                 vst3::String128 name) override;
    vst3::tresult getProgramInfo(vst3::ProgramListID listId, vst3::int32 programIndex,
                                 const char* attributeId, vst3::String128 attributeValue) override;
    vst3::tresult hasProgramPitchNames(vst3::ProgramListID listId,
                                       vst3::int32 programIndex) override;
    vst3::tresult getProgramPitchName(vst3::ProgramListID listId, vst3::int32 programIndex,
                                      vst3::int16 midiPitch, vst3::String128 name) override;
    vst3::UnitID getSelectedUnit() override { return vst3::kRootUnitId; }
    vst3::tresult selectUnit(vst3::UnitID unitId) override;
    vst3::tresult getUnitByBus(vst3::int32 type, vst3::int32 dir, vst3::int32 busIndex,
                               vst3::int32 channel, vst3::UnitID& unitId) override;
    vst3::tresult setUnitProgramData(vst3::int32 listOrUnitId, vst3::int32 programIndex,
                                     vst3::IBStream* data) override;

    DelayCore& delayCore() { return core; }
    // The side the editor's controls read and change.
    Vst3EditorHost& editorSide() { return editorHost; }

private:
    ~DelayComponent();

    vst3::tresult setProcessorState(vst3::IBStream* state) override;
    vst3::tresult getProcessorState(vst3::IBStream* state) override;
    vst3::tresult setControllerState(vst3::IBStream* state) override;
    vst3::tresult getControllerState(vst3::IBStream* state) override;

    // One value from the host: a point of a queue (audio thread) or the controller's.
    void applyQueuedValue(vst3::ParamID id, vst3::ParamValue value);
    void selectProgramOf(vst3::ParamValue normalized);
    void tellHostValuesChanged();

    std::atomic<vst3::uint32> references{1};
    std::atomic<vst3::IComponentHandler*> componentHandler{nullptr};
    DelayCore core;
    Vst3EditorHost editorHost;
    ViewFactory makeView;
};
