// The audio side of a VST 3 component: its buses, its setup, and the block the host hands over
// with the parameter changes that belong to it.
#pragma once

#include "Vst3Base.h"

namespace vst3 {

using ParamID = uint32;
using ParamValue = double;
using SpeakerArrangement = uint64;

enum MediaTypes : int32 { kAudio = 0, kEvent = 1 };
enum BusDirections : int32 { kInput = 0, kOutput = 1 };
enum BusTypes : int32 { kMain = 0, kAux = 1 };
enum SymbolicSampleSizes : int32 { kSample32 = 0, kSample64 = 1 };
inline constexpr SpeakerArrangement kStereo = 0x3;  // left and right
inline constexpr uint32 kNoTail = 0;
inline constexpr uint32 kInfiniteTail = 0xFFFFFFFFu;

struct BusInfo {
    enum BusFlags : uint32 { kDefaultActive = 1 };
    int32 mediaType;
    int32 direction;
    int32 channelCount;
    String128 name;
    int32 busType;
    uint32 flags;
};

struct RoutingInfo {
    int32 mediaType;
    int32 busIndex;
    int32 channel;
};

struct ProcessSetup {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 maxSamplesPerBlock;
    double sampleRate;
};

struct AudioBusBuffers {
    int32 numChannels;
    uint64 silenceFlags;
    union {
        float** channelBuffers32;
        double** channelBuffers64;
    };
};

class IParamValueQueue : public FUnknown {
public:
    static constexpr Uid iid{0x01263A18, 0xED074F6F, 0x98C9D356, 0x4686F9BA};
    virtual ParamID getParameterId() = 0;
    virtual int32 getPointCount() = 0;
    virtual tresult getPoint(int32 index, int32& sampleOffset, ParamValue& value) = 0;
    virtual tresult addPoint(int32 sampleOffset, ParamValue value, int32& index) = 0;

protected:
    ~IParamValueQueue() = default;
};

class IParameterChanges : public FUnknown {
public:
    static constexpr Uid iid{0xA4779663, 0x0BB64A56, 0xB44384A8, 0x466FEB9D};
    virtual int32 getParameterCount() = 0;
    virtual IParamValueQueue* getParameterData(int32 index) = 0;
    virtual IParamValueQueue* addParameterData(const ParamID& id, int32& index) = 0;

protected:
    ~IParameterChanges() = default;
};

struct ProcessContext;
class IEventList;

struct ProcessData {
    int32 processMode;
    int32 symbolicSampleSize;
    int32 numSamples;
    int32 numInputs;
    int32 numOutputs;
    AudioBusBuffers* inputs;
    AudioBusBuffers* outputs;
    IParameterChanges* inputParameterChanges;
    IParameterChanges* outputParameterChanges;
    IEventList* inputEvents;
    IEventList* outputEvents;
    ProcessContext* processContext;
};

class IComponent : public IPluginBase {
public:
    static constexpr Uid iid{0xE831FF31, 0xF2D54301, 0x928EBBEE, 0x25697802};
    virtual tresult getControllerClassId(TUID classId) = 0;
    virtual tresult setIoMode(int32 mode) = 0;
    virtual int32 getBusCount(int32 type, int32 direction) = 0;
    virtual tresult getBusInfo(int32 type, int32 direction, int32 index, BusInfo& bus) = 0;
    virtual tresult getRoutingInfo(RoutingInfo& inInfo, RoutingInfo& outInfo) = 0;
    virtual tresult activateBus(int32 type, int32 direction, int32 index, TBool state) = 0;
    virtual tresult setActive(TBool state) = 0;
    virtual tresult setState(IBStream* state) = 0;
    virtual tresult getState(IBStream* state) = 0;

protected:
    ~IComponent() = default;
};

class IAudioProcessor : public FUnknown {
public:
    static constexpr Uid iid{0x42043F99, 0xB7DA453C, 0xA569E79D, 0x9AAEC33D};
    virtual tresult setBusArrangements(SpeakerArrangement* inputs, int32 numIns,
                                       SpeakerArrangement* outputs, int32 numOuts) = 0;
    virtual tresult getBusArrangement(int32 direction, int32 index,
                                      SpeakerArrangement& arrangement) = 0;
    virtual tresult canProcessSampleSize(int32 symbolicSampleSize) = 0;
    virtual uint32 getLatencySamples() = 0;
    virtual tresult setupProcessing(ProcessSetup& setup) = 0;
    virtual tresult setProcessing(TBool state) = 0;
    virtual tresult process(ProcessData& data) = 0;
    virtual uint32 getTailSamples() = 0;

protected:
    ~IAudioProcessor() = default;
};

}  // namespace vst3
