#include "Vst3Instance.h"

#include <cstring>

std::string asciiOf(const vst3::char16* text) {
    std::string out;
    for (; text != nullptr && *text != u'\0'; ++text) {
        out += *text < 0x80 ? static_cast<char>(*text) : '?';
    }
    return out;
}

namespace {
template <typename Interface>
Interface* query(vst3::FUnknown* object) {
    void* found = nullptr;
    if (object->queryInterface(Interface::iid.data(), &found) != vst3::kResultOk) return nullptr;
    return static_cast<Interface*>(found);
}
}  // namespace

Vst3Instance::Vst3Instance(const Vst3Module& module) {
    vst3::IPluginFactory& factory = module.factory();
    for (vst3::int32 i = 0; i < factory.countClasses() && comp == nullptr; ++i) {
        vst3::PClassInfo info{};
        if (factory.getClassInfo(i, &info) != vst3::kResultOk) continue;
        if (std::strcmp(info.category, "Audio Module Class") != 0) continue;
        void* object = nullptr;
        if (factory.createInstance(info.cid, vst3::IComponent::iid.data(), &object) ==
            vst3::kResultOk) {
            comp = static_cast<vst3::IComponent*>(object);
        }
    }
    if (comp == nullptr) throw PluginLoadError(module.path() + ": no audio effect class");
    comp->initialize(nullptr);
    proc = query<vst3::IAudioProcessor>(comp);
    edit = query<vst3::IEditController>(comp);
    unitInfo = query<vst3::IUnitInfo>(comp);
    if (proc == nullptr || edit == nullptr) {
        releaseAll();
        throw PluginLoadError(module.path() + ": the component is no processor and controller");
    }
}

Vst3Instance::~Vst3Instance() {
    if (running) stop();
    releaseAll();
}

void Vst3Instance::releaseAll() {
    for (vst3::FUnknown* held :
         {static_cast<vst3::FUnknown*>(unitInfo), static_cast<vst3::FUnknown*>(edit),
          static_cast<vst3::FUnknown*>(proc)}) {
        if (held != nullptr) held->release();
    }
    unitInfo = nullptr;
    edit = nullptr;
    proc = nullptr;
    if (comp != nullptr) {
        comp->terminate();
        comp->release();
        comp = nullptr;
    }
}

void Vst3Instance::start(double rate, vst3::int32 maxBlock) {
    vst3::SpeakerArrangement stereo = vst3::kStereo;
    vst3::SpeakerArrangement stereoOut = vst3::kStereo;
    proc->setBusArrangements(&stereo, 1, &stereoOut, 1);
    vst3::ProcessSetup setup{0, vst3::kSample32, maxBlock, rate};
    proc->setupProcessing(setup);
    comp->setActive(1);
    proc->setProcessing(1);
    running = true;
}

void Vst3Instance::stop() {
    proc->setProcessing(0);
    comp->setActive(0);
    running = false;
}

vst3::tresult Vst3Instance::process(float** inputs, float** outputs, vst3::int32 frames,
                                    vst3::IParameterChanges* changes) {
    vst3::AudioBusBuffers in{};
    in.numChannels = 2;
    in.channelBuffers32 = inputs;
    vst3::AudioBusBuffers out{};
    out.numChannels = 2;
    out.channelBuffers32 = outputs;
    vst3::ProcessData data{};
    data.symbolicSampleSize = vst3::kSample32;
    data.numSamples = frames;
    data.numInputs = 1;
    data.numOutputs = 1;
    data.inputs = &in;
    data.outputs = &out;
    data.inputParameterChanges = changes;
    return proc->process(data);
}

std::string Vst3Instance::text(vst3::ParamID id) const {
    vst3::String128 string{};
    edit->getParamStringByValue(id, edit->getParamNormalized(id), string);
    return asciiOf(string);
}

std::string Vst3Instance::programName(vst3::int32 index) const {
    vst3::String128 name{};
    vst3::ProgramListInfo list{};
    if (unitInfo == nullptr || unitInfo->getProgramListInfo(0, list) != vst3::kResultOk) return {};
    unitInfo->getProgramName(list.id, index, name);
    return asciiOf(name);
}
