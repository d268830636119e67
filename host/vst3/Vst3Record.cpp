#include "Vst3Record.h"

#include <cmath>
#include <cstring>

#include "TextBuffer.h"

namespace {

constexpr int kLongParamText = 15;

Vst3Record& self(AEffect* e) { return *static_cast<Vst3Record*>(e->object); }

std::string classVersion(vst3::IPluginFactory& factory) {
    void* second = nullptr;
    if (factory.queryInterface(vst3::IPluginFactory2::iid.data(), &second) != vst3::kResultOk) {
        return {};
    }
    vst3::PClassInfo2 info{};
    static_cast<vst3::IPluginFactory2*>(second)->getClassInfo2(0, &info);
    static_cast<vst3::IPluginFactory2*>(second)->release();
    return info.version;
}

// "1.2.3" as a VST 2 version counts it (thousands, hundreds, tens).
VstInt32 versionNumber(const std::string& text) {
    VstInt32 number = 0, weight = 1000;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            number += (c - '0') * weight;
            weight /= 10;
        }
    }
    return number;
}

}  // namespace

Vst3Record::Vst3Record(const std::string& path)
    : module(path), instance(std::make_unique<Vst3Instance>(module)) {
    module.factory().getClassInfo(0, &classInfo);
    effect.magic = kEffectMagic;
    effect.dispatcher = &dispatcher;
    effect.setParameter = &setParameter;
    effect.getParameter = &getParameter;
    effect.processReplacing = &processReplacing;
    effect.object = this;
    effect.numInputs = 2;
    effect.numOutputs = 2;
    effect.numParams =
        instance->controller().getParameterCount() - (programParameter() != 0 ? 1 : 0);
    vst3::ProgramListInfo list{};
    if (instance->units() != nullptr &&
        instance->units()->getProgramListInfo(0, list) == vst3::kResultOk) {
        effect.numPrograms = list.programCount;
    }
    effect.flags = effFlagsCanReplacing;
    if (vst3::IPlugView* probe = instance->controller().createView("editor")) {
        effect.flags |= effFlagsHasEditor;
        probe->release();
    }
    // The class id's first four bytes, first byte most significant, as VST 2 hosts print ids.
    const auto* id = reinterpret_cast<const unsigned char*>(classInfo.cid);
    effect.uniqueID = fourCharacterCode(static_cast<char>(id[0]), static_cast<char>(id[1]),
                                        static_cast<char>(id[2]), static_cast<char>(id[3]));
    effect.version = versionNumber(classVersion(module.factory()));
}

Vst3Record::~Vst3Record() {
    closeEditor();
    instance.reset();
}

// The program-change parameter's id (the last one listed), or 0 when there is none.
vst3::ParamID Vst3Record::programParameter() const {
    const vst3::int32 count = instance->controller().getParameterCount();
    vst3::ParameterInfo info{};
    if (count < 1 || instance->controller().getParameterInfo(count - 1, info) != vst3::kResultOk) {
        return 0;
    }
    return (info.flags & vst3::ParameterInfo::kIsProgramChange) != 0 ? info.id : 0;
}

VstIntPtr Vst3Record::dispatcher(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                 void* ptr, float opt) {
    return self(e).dispatch(opcode, index, value, ptr, opt);
}

void Vst3Record::setParameter(AEffect* e, VstInt32 index, float value) {
    Vst3Record& record = self(e);
    if (!record.instance) return;
    // As a VST 3 host does: the controller hears it now, the processor with the next block.
    record.instance->controller().setParamNormalized(static_cast<vst3::ParamID>(index), value);
    record.pending.add(static_cast<vst3::ParamID>(index), 0, value);
}

float Vst3Record::getParameter(AEffect* e, VstInt32 index) {
    Vst3Record& record = self(e);
    if (!record.instance) return 0.0f;
    return static_cast<float>(
        record.instance->controller().getParamNormalized(static_cast<vst3::ParamID>(index)));
}

void Vst3Record::processReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    Vst3Record& record = self(e);
    if (!record.instance) return;
    record.instance->process(inputs, outputs, frames, &record.pending);
    record.pending.clear();
}

VstIntPtr Vst3Record::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                               float opt) {
    if (!instance) return 0;
    vst3::IEditController& controller = instance->controller();
    const auto text = [ptr](const std::string& source, int limit) {
        copyText(static_cast<char*>(ptr), source.c_str(), static_cast<std::size_t>(limit));
    };
    const vst3::ParamID program = programParameter();
    const double lastProgram = effect.numPrograms > 1 ? effect.numPrograms - 1 : 1;
    switch (opcode) {
        case effClose:
            closeEditor();
            instance.reset();
            return 1;
        case effSetSampleRate:
            sampleRate = opt;
            return 1;
        case effSetBlockSize:
            blockSize = static_cast<VstInt32>(value);
            return 1;
        case effMainsChanged:
            if (value != 0) {
                instance->start(sampleRate, blockSize);
            } else {
                instance->stop();
            }
            return 1;
        case effSetProgram:
            if (program != 0)
                controller.setParamNormalized(program, static_cast<double>(value) / lastProgram);
            return 1;
        case effGetProgram:
            return program != 0 ? std::lround(controller.getParamNormalized(program) * lastProgram)
                                : 0;
        case effGetProgramName:
            text(instance->programName(
                     static_cast<vst3::int32>(dispatch(effGetProgram, 0, 0, nullptr, 0.0f))),
                 kVstMaxProgNameLen);
            return 1;
        case effGetProgramNameIndexed:
            if (index < 0 || index >= effect.numPrograms) return 0;
            text(instance->programName(index), kVstMaxProgNameLen);
            return 1;
        case effGetParamName:
        case effGetParamLabel: {
            vst3::ParameterInfo info{};
            if (controller.getParameterInfo(index, info) != vst3::kResultOk) return 0;
            // As long as VST 2 hosts allow in practice (the interface's 8 is too short).
            text(asciiOf(opcode == effGetParamName ? info.title : info.units), kLongParamText);
            return 1;
        }
        case effGetParamDisplay:
            text(instance->text(static_cast<vst3::ParamID>(index)), kVstMaxParamStrLen);
            return 1;
        case effGetEffectName:
        case effGetProductString:
            text(classInfo.name, kVstMaxEffectNameLen);
            return 1;
        case effGetVendorString: {
            vst3::PFactoryInfo info{};
            module.factory().getFactoryInfo(&info);
            text(info.vendor, kVstMaxVendorStrLen);
            return 1;
        }
        case effGetVendorVersion:
            return effect.version;
        case effGetPlugCategory:
            return kPlugCategEffect;
        case effEditGetRect: {
            if (ptr == nullptr) return 0;
            vst3::IPlugView* sized = view != nullptr ? view : controller.createView("editor");
            if (sized == nullptr) return 0;
            vst3::ViewRect size{};
            sized->getSize(&size);
            if (sized != view) sized->release();
            editorRect = ERect{0, 0, static_cast<std::int16_t>(size.bottom - size.top),
                               static_cast<std::int16_t>(size.right - size.left)};
            *static_cast<ERect**>(ptr) = &editorRect;
            return 1;
        }
        case effEditOpen:
            return openEditor(ptr) ? 1 : 0;
        case effEditIdle:
            runLoop.runOnce();
            return 1;
        case effEditClose:
            closeEditor();
            return 1;
        default:
            return 0;
    }
}

bool Vst3Record::openEditor(void* parent) {
    closeEditor();
    view = instance->controller().createView("editor");
    if (view == nullptr) return false;
    view->setFrame(&runLoop);
    if (view->attached(parent, vst3::kPlatformTypeX11EmbedWindowID) != vst3::kResultOk) {
        closeEditor();
        return false;
    }
    return true;
}

void Vst3Record::closeEditor() {
    if (view == nullptr) return;
    view->removed();
    view->setFrame(nullptr);
    view->release();
    view = nullptr;
}
