#include "FuzzedHost.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

#include "AudioChecks.h"
#include "GuardedBlock.h"

extern "C" AEffect* VSTPluginMain(audioMasterCallback audioMaster);

namespace {
constexpr int kMaxCalls = 400;
constexpr std::size_t kFrameBudget = std::size_t{1} << 16;  // per session: milliseconds each
constexpr std::size_t kOpaqueRecordBytes = 512;  // records the effect has no reason to write
constexpr float kUntouched = 12345.0f;           // in outputs that must not be written
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

VstIntPtr versionAnswer = kVstVersion;

VstIntPtr fuzzedHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? versionAnswer : 0;
}

bool terminatedWithin(const char* text, std::size_t size) {
    return std::memchr(text, '\0', size) != nullptr;
}

template <typename T>
bool allEqual(const T* values, std::size_t count, T expected) {
    for (std::size_t i = 0; i < count; ++i) {
        if (std::memcmp(&values[i], &expected, sizeof(T)) != 0) return false;
    }
    return true;
}

bool allUsable(const float* samples, std::size_t count) {
    return countUnusableSamples(samples, count) == 0;
}
}  // namespace

void fuzzCheckFailed(const char* what, long detail) {
    std::fprintf(stderr, "fuzzed host: check failed: %s (detail %ld)\n", what, detail);
    std::abort();
}

VstIntPtr FuzzedHost::call(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

void FuzzedHost::run() {
    // Now and then a host that refuses the version query: no instance may be made then.
    versionAnswer = in.byte() == 0xFF ? 0 : kVstVersion;
    effect = VSTPluginMain(fuzzedHostCallback);
    if (versionAnswer == 0) {
        FUZZ_CHECK(effect == nullptr, 0);
        return;
    }
    FUZZ_CHECK(effect != nullptr, 0);
    FUZZ_CHECK(effect->magic == kEffectMagic && effect->numParams == kNumParams &&
                   effect->numPrograms == kNumPrograms,
               effect->magic);

    std::size_t frameBudget = kFrameBudget;
    for (int calls = 0; calls < kMaxCalls && !in.exhausted(); ++calls) {
        switch (in.byte() % 8) {
            case 0:
            case 1:
            case 2:
                dispatchAnyOpcode();
                break;
            case 3:
                setAnyParameter();
                break;
            case 4: {
                const VstInt32 index = anyIndex();
                FUZZ_CHECK(
                    ProgramModel::same(effect->getParameter(effect, index), model.parameter(index)),
                    index);
                break;
            }
            case 5:
            case 6:
                processAnyBlock(frameBudget);
                break;
            default:
                processThroughNoOpEntries();
                break;
        }
        if (effect == nullptr) return;  // the host closed it
        checkReadBack();
    }
    FUZZ_CHECK(call(effClose, 0, 0, nullptr, 0.0f) == 1, 0);
    effect = nullptr;
}

VstInt32 FuzzedHost::anyIndex() {
    if (in.byte() % 4 != 0) return static_cast<VstInt32>(in.byte() % 40) - 5;
    return in.raw<VstInt32>();
}

VstIntPtr FuzzedHost::anyValue() {
    if (in.byte() % 4 != 0) return static_cast<VstIntPtr>(in.byte() % 64) - 8;
    return in.raw<VstIntPtr>();
}

float FuzzedHost::anyFloat() {
    switch (in.byte() % 12) {
        case 0:
        case 1:
        case 2:
            return in.raw<float>();
        case 3:
            return kNaN;
        case 4:
            return kInf;
        case 5:
            return -kInf;
        case 6: {  // a subnormal number (or zero) of either sign
            std::uint32_t bits = in.raw<std::uint32_t>() & 0x807FFFFFu;
            float value;
            std::memcpy(&value, &bits, sizeof value);
            return value;
        }
        case 7:
            return in.byte() % 2 != 0 ? 1e30f : -1e30f;
        case 8:
            return -static_cast<float>(in.raw<std::uint16_t>()) / 65535.0f;
        default:
            return static_cast<float>(in.raw<std::uint16_t>()) / 65535.0f;
    }
}

float FuzzedHost::anySampleRate() {
    static constexpr float kRates[] = {
        44100.0f, 48000.0f, 96000.0f, 192000.0f, 192001.0f, 384000.0f,
        22050.0f, 8000.0f,  1.0f,     0.0f,      -1.0f,     kNaN,
        kInf,     -kInf,    1e9f,     44100.5f,  1e-40f,    std::numeric_limits<float>::max()};
    const std::uint8_t choice = in.byte();
    if (choice < 200) return kRates[choice % std::size(kRates)];
    return anyFloat();
}

VstInt32 FuzzedHost::anyFrameCount(std::size_t& budget) {
    VstInt32 frames = 0;
    switch (in.byte() % 8) {
        case 0:
            frames = 0;
            break;
        case 1:
            frames = 1;
            break;
        case 2:
            frames = 8192;
            break;
        case 3:
            frames = 1 + in.byte();
            break;
        case 4:
            frames = 64;
            break;
        case 5:
            frames = in.byte() % 2 != 0 ? INT32_MIN : -1 - static_cast<VstInt32>(in.byte());
            break;
        case 6:
            frames = static_cast<VstInt32>(in.below(8193));
            break;
        default:
            frames = 512;
            break;
    }
    if (frames > 0) {
        frames = static_cast<VstInt32>(std::min(static_cast<std::size_t>(frames), budget));
        budget -= static_cast<std::size_t>(frames);
    }
    return frames;
}

void FuzzedHost::dispatchAnyOpcode() {
    const VstInt32 opcode = static_cast<VstInt32>(in.below(96)) - 5;  // −5 to 90
    const bool nullPointer = in.byte() % 8 == 0;
    const VstInt32 index = anyIndex();
    const VstIntPtr value = anyValue();
    const float opt = anyFloat();

    if (opcode == effClose) {
        FUZZ_CHECK(call(effClose, index, value, nullptr, opt) == 1, 0);
        effect = nullptr;
        return;
    }
    if (opcode == effSetProgram) {
        const VstIntPtr program = in.byte() % 2 != 0 ? static_cast<VstIntPtr>(in.below(30)) : value;
        call(effSetProgram, index, program, nullptr, opt);
        model.setProgram(program);
        return;
    }
    if (opcode == effSetSampleRate) {
        call(effSetSampleRate, index, value, nullptr, anySampleRate());
        return;
    }
    // A host window cannot be made up, so the editor is opened without one: it then makes a
    // window of its own (and the session may end with it open).
    if (opcode == effEditOpen || nullPointer) {
        VstIntPtr plainValue = value;
        if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
            plainValue = 0;
        call(opcode, index, plainValue, nullptr, opt);
        return;
    }
    switch (opcode) {
        case effSetProgramName:
            dispatchProgramName(opt);
            break;
        case effGetProgramName:
        case effGetProgramNameIndexed:
            dispatchTextOut(opcode, index, value, opt, kVstMaxProgNameLen + 1);
            break;
        case effGetParamLabel:
        case effGetParamName:
            dispatchTextOut(opcode, index, value, opt, 14);  // the longest name is 13
            break;
        case effGetParamDisplay:
            dispatchTextOut(opcode, index, value, opt, kVstMaxParamStrLen + 1);
            break;
        case effGetEffectName:
            dispatchTextOut(opcode, index, value, opt, kVstMaxEffectNameLen + 1);
            break;
        case effGetVendorString:
        case effGetProductString:
        case effShellGetNextPlugin:
            dispatchTextOut(opcode, index, value, opt, kVstMaxVendorStrLen + 1);
            break;
        case effString2Parameter:
        case effCanDo:
            dispatchTextIn(opcode, index, opt);
            break;
        case effEditGetRect:
        case effGetChunk:
            dispatchRecordOut(opcode, index, value, opt, sizeof(void*));
            break;
        case effGetInputProperties:
        case effGetOutputProperties:
            dispatchRecordOut(opcode, index, value, opt, sizeof(VstPinProperties));
            break;
        case effGetMidiKeyName:
            dispatchRecordOut(opcode, index, value, opt, sizeof(MidiKeyName));
            break;
        case effSetSpeakerArrangement:
        case effGetSpeakerArrangement:
            dispatchSpeakerArrangements(opcode);
            break;
        default:
            dispatchUntouchedRecord(opcode, index, value, opt);
            break;
    }
}

// A text buffer of exactly the size hosts give for this opcode, filled with a mark.
void FuzzedHost::dispatchTextOut(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                                 std::size_t size) {
    GuardedBlock<char> text(size);
    text.fill('x');
    const VstIntPtr answer = call(opcode, index, value, text.data(), opt);
    FUZZ_CHECK(text.guardsIntact(), opcode);
    const bool written = !allEqual(text.data(), size, 'x');
    if (written) FUZZ_CHECK(terminatedWithin(text.data(), size), opcode);

    const bool parameterText =
        opcode == effGetParamLabel || opcode == effGetParamName || opcode == effGetParamDisplay;
    if (parameterText) FUZZ_CHECK(written == (index >= 0 && index < kNumParams), index);
    if (opcode == effGetProgramName) {
        FUZZ_CHECK(written && model.name(model.currentProgram()) == text.data(), 0);
    }
    if (opcode == effGetProgramNameIndexed) {
        const bool exists = index >= 0 && index < kNumPrograms;
        FUZZ_CHECK(answer == (exists ? 1 : 0), index);
        FUZZ_CHECK(written == exists, index);
        if (exists) FUZZ_CHECK(model.name(index) == text.data(), index);
    }
}

// A new name for the current program: short or very long, with or without a terminator (a
// name without one is only sent when it is at least as long as the 24 characters kept).
void FuzzedHost::dispatchProgramName(float opt) {
    std::string name =
        in.byte() % 4 == 0 ? std::string(1000, static_cast<char>(in.byte())) : in.bytes(40);
    const bool terminated = name.size() < 24 || in.byte() % 2 == 0;
    GuardedBlock<char> text(name.size() + (terminated ? 1 : 0));
    std::memcpy(text.data(), name.data(), name.size());
    if (terminated) text[name.size()] = '\0';
    call(effSetProgramName, 0, 0, text.data(), opt);
    FUZZ_CHECK(text.guardsIntact(), 0);
    model.renameCurrent(text.data(), text.size());
}

void FuzzedHost::dispatchTextIn(VstInt32 opcode, VstInt32 index, float opt) {
    const std::string words = in.bytes(80);
    GuardedBlock<char> text(words.size() + 1);
    std::memcpy(text.data(), words.data(), words.size());
    text[words.size()] = '\0';
    const VstIntPtr answer = call(opcode, index, 0, text.data(), opt);
    FUZZ_CHECK(text.guardsIntact(), opcode);
    FUZZ_CHECK(std::memcmp(text.data(), words.data(), words.size()) == 0, opcode);
    if (opcode == effCanDo) FUZZ_CHECK(answer == -1, answer);
    if (opcode == effString2Parameter) FUZZ_CHECK(answer == 0, answer);
}

// A record the effect may fill: it must stay inside it, and a text in it stays terminated.
void FuzzedHost::dispatchRecordOut(VstInt32 opcode, VstInt32 index, VstIntPtr value, float opt,
                                   std::size_t size) {
    GuardedBlock<unsigned char> record(size);
    record.fill(0xEE);
    const VstIntPtr answer = call(opcode, index, value, record.data(), opt);
    FUZZ_CHECK(record.guardsIntact(), opcode);
    if ((opcode == effGetInputProperties || opcode == effGetOutputProperties) && answer == 1) {
        const auto* pin = reinterpret_cast<const VstPinProperties*>(record.data());
        FUZZ_CHECK(terminatedWithin(pin->label, sizeof pin->label), index);
    }
    if (opcode == effGetChunk) {
        FUZZ_CHECK(answer == 0 && allEqual(record.data(), size, static_cast<unsigned char>(0xEE)),
                   answer);
    }
    if (opcode == effEditGetRect && answer == 1) {
        ERect* rect = nullptr;
        std::memcpy(&rect, record.data(), sizeof rect);
        FUZZ_CHECK(rect != nullptr && rect->bottom >= rect->top && rect->right >= rect->left, 0);
    }
}

// Records that only travel to or past the effect: not a byte of them may change.
void FuzzedHost::dispatchUntouchedRecord(VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                         float opt) {
    GuardedBlock<unsigned char> record(kOpaqueRecordBytes);
    for (std::size_t i = 0; i < kOpaqueRecordBytes; ++i) record[i] = in.byte();
    std::vector<unsigned char> before(record.data(), record.data() + kOpaqueRecordBytes);
    call(opcode, index, value, record.data(), opt);
    FUZZ_CHECK(record.guardsIntact(), opcode);
    FUZZ_CHECK(std::memcmp(record.data(), before.data(), kOpaqueRecordBytes) == 0, opcode);
}

// Both arrangement pointers travel in value and ptr: real slots or arrangements, or null.
void FuzzedHost::dispatchSpeakerArrangements(VstInt32 opcode) {
    constexpr std::size_t kTwoChannels = 8 + 2 * sizeof(VstSpeakerProperties);
    GuardedBlock<unsigned char> input(kTwoChannels), output(kTwoChannels);
    GuardedBlock<VstSpeakerArrangement*> inputSlot(1), outputSlot(1);
    const bool withInput = in.byte() % 4 != 0;
    const bool withOutput = in.byte() % 4 != 0;
    if (opcode == effGetSpeakerArrangement) {
        inputSlot[0] = reinterpret_cast<VstSpeakerArrangement*>(input.data());
        outputSlot[0] = reinterpret_cast<VstSpeakerArrangement*>(output.data());
        call(opcode, 0, withInput ? reinterpret_cast<VstIntPtr>(inputSlot.data()) : 0,
             withOutput ? outputSlot.data() : nullptr, 0.0f);
        FUZZ_CHECK(inputSlot.guardsIntact() && outputSlot.guardsIntact(), opcode);
    } else {
        call(opcode, 0, withInput ? reinterpret_cast<VstIntPtr>(input.data()) : 0,
             withOutput ? output.data() : nullptr, 0.0f);
    }
    FUZZ_CHECK(input.guardsIntact() && output.guardsIntact(), opcode);
    FUZZ_CHECK(allEqual(input.data(), kTwoChannels, static_cast<unsigned char>(0)) &&
                   allEqual(output.data(), kTwoChannels, static_cast<unsigned char>(0)),
               opcode);
}

void FuzzedHost::setAnyParameter() {
    const VstInt32 index =
        in.byte() < 200 ? static_cast<VstInt32>(in.byte() % 12) - 1 : in.raw<VstInt32>();
    const float value = anyFloat();
    effect->setParameter(effect, index, value);
    model.setParameter(index, value);
}

namespace {
// Audio of a chosen level, from silence and subnormal dust to far beyond full scale, with a few
// samples that are not numbers at all.
void fillAudio(FuzzBytes& in, float* samples, std::size_t count) {
    static constexpr float kLevels[] = {1.0f, 0.001f, 1000.0f, 0.0f, 1e-40f, 1e30f, 1e-37f};
    const float level = kLevels[in.byte() % std::size(kLevels)];
    std::uint32_t state = in.byte() * 2654435761u + 1u;
    for (std::size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        samples[i] = level * (static_cast<float>(static_cast<std::int32_t>(state)) * 4.656613e-10f);
    }
    static constexpr float kOdd[] = {kNaN, kInf, -kInf, std::numeric_limits<float>::max(), 1e-45f};
    const int odd = in.byte() % 4 == 0 ? 1 + in.byte() % 3 : 0;
    for (int n = 0; n < odd && count > 0; ++n) {
        samples[in.below(static_cast<std::uint32_t>(count))] = kOdd[in.byte() % std::size(kOdd)];
    }
}
}  // namespace

// One processReplacing call: any frame count, buffers laid out as some host lays them out.
void FuzzedHost::processAnyBlock(std::size_t& budget) {
    enum Layout { kSeparate, kInPlace, kSwappedInPlace, kNoInputs, kOneOutputMissing, kNothing };
    const VstInt32 frames = anyFrameCount(budget);
    const auto layout = static_cast<Layout>(in.byte() % 6);
    // Negative counts still come with real buffers: nothing in them may change.
    const std::size_t length = frames > 0 ? static_cast<std::size_t>(frames) : 64;

    GuardedBlock<float> inL(length), inR(length), outL(length), outR(length);
    fillAudio(in, inL.data(), length);
    fillAudio(in, inR.data(), length);
    outL.fill(kUntouched);
    outR.fill(kUntouched);
    const std::vector<float> inLBefore(inL.data(), inL.data() + length);
    const std::vector<float> inRBefore(inR.data(), inR.data() + length);

    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    float** inputArray = inputs;
    float** outputArray = outputs;
    switch (layout) {
        case kSeparate:
            break;
        case kInPlace:
            outputs[0] = inL.data();
            outputs[1] = inR.data();
            break;
        case kSwappedInPlace:
            outputs[0] = inR.data();
            outputs[1] = inL.data();
            break;
        case kNoInputs:
            inputArray = nullptr;
            break;
        case kOneOutputMissing:
            outputs[1] = nullptr;
            break;
        case kNothing:
            inputArray = nullptr;
            outputArray = nullptr;
            break;
    }
    effect->processReplacing(effect, inputArray, outputArray, frames);

    FUZZ_CHECK(
        inL.guardsIntact() && inR.guardsIntact() && outL.guardsIntact() && outR.guardsIntact(),
        frames);
    const bool inPlace = layout == kInPlace || layout == kSwappedInPlace;
    if (frames <= 0 || layout == kNothing) {
        FUZZ_CHECK(
            allEqual(outL.data(), length, kUntouched) && allEqual(outR.data(), length, kUntouched),
            frames);
        FUZZ_CHECK(std::memcmp(inL.data(), inLBefore.data(), length * sizeof(float)) == 0 &&
                       std::memcmp(inR.data(), inRBefore.data(), length * sizeof(float)) == 0,
                   frames);
        return;
    }
    if (!inPlace) {
        FUZZ_CHECK(std::memcmp(inL.data(), inLBefore.data(), length * sizeof(float)) == 0 &&
                       std::memcmp(inR.data(), inRBefore.data(), length * sizeof(float)) == 0,
                   layout);
    }
    // Whatever came in, every sample handed back is one a validating host accepts.
    FUZZ_CHECK(allUsable(outputs[0], length), layout);
    if (layout != kOneOutputMissing) FUZZ_CHECK(allUsable(outputs[1], length), layout);
    if (layout == kNoInputs || layout == kOneOutputMissing) {
        FUZZ_CHECK(allEqual(outL.data(), length, 0.0f), layout);
    }
    if (layout == kOneOutputMissing) FUZZ_CHECK(allEqual(outR.data(), length, kUntouched), layout);
}

// The accumulating and double-precision entries: this effect offers neither, so they must
// leave every buffer as it was.
void FuzzedHost::processThroughNoOpEntries() {
    constexpr std::size_t kFrames = 64;
    GuardedBlock<float> in32(kFrames), out32(kFrames);
    GuardedBlock<double> in64(kFrames), out64(kFrames);
    out32.fill(kUntouched);
    out64.fill(static_cast<double>(kUntouched));
    float* inputs[2] = {in32.data(), in32.data()};
    float* outputs[2] = {out32.data(), out32.data()};
    double* inputs64[2] = {in64.data(), in64.data()};
    double* outputs64[2] = {out64.data(), out64.data()};
    effect->process(effect, inputs, outputs, static_cast<VstInt32>(kFrames));
    effect->processDoubleReplacing(effect, inputs64, outputs64, static_cast<VstInt32>(kFrames));
    FUZZ_CHECK(out32.guardsIntact() && out64.guardsIntact(), 0);
    FUZZ_CHECK(allEqual(out32.data(), kFrames, kUntouched), 0);
    FUZZ_CHECK(allEqual(out64.data(), kFrames, static_cast<double>(kUntouched)), 0);
}

// After every call: the nine values, the current program and its name read back as set.
void FuzzedHost::checkReadBack() {
    for (VstInt32 i = -1; i <= kNumParams; ++i) {
        FUZZ_CHECK(ProgramModel::same(effect->getParameter(effect, i), model.parameter(i)), i);
    }
    FUZZ_CHECK(call(effGetProgram, 0, 0, nullptr, 0.0f) == model.currentProgram(),
               model.currentProgram());
    GuardedBlock<char> name(kVstMaxProgNameLen + 1);
    name.fill('x');
    call(effGetProgramName, 0, 0, name.data(), 0.0f);
    FUZZ_CHECK(name.guardsIntact(), 0);
    FUZZ_CHECK(terminatedWithin(name.data(), name.size()), 0);
    FUZZ_CHECK(model.name(model.currentProgram()) == name.data(), model.currentProgram());
}
