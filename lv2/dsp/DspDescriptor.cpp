// The LV2 plug-in's entry: lv2_descriptor hands out one descriptor whose callbacks keep the port
// addresses the host connects and run a PortedDelay over them.
#include <lv2/core/lv2.h>

#include <array>

#include "Lv2Identity.h"
#include "PortedDelay.h"

namespace {

struct Instance {
    explicit Instance(double rate) : delay(rate) {}

    PortedDelay delay;
    const float* inL = nullptr;
    const float* inR = nullptr;
    float* outL = nullptr;
    float* outR = nullptr;
    std::array<const float*, kNumParams> controls{};
};

Instance* instanceOf(LV2_Handle handle) { return static_cast<Instance*>(handle); }

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*) {
    // No exception may cross into the host: a failed allocation is a failed instantiation.
    try {
        return new Instance(rate);
    } catch (...) {
        return nullptr;
    }
}

// Only stores the address: hosts call it from the audio thread, between runs, and may move any
// buffer at any time.
void connectPort(LV2_Handle handle, std::uint32_t port, void* data) {
    Instance& self = *instanceOf(handle);
    switch (port) {
        case lv2id::kInputLeft:
            self.inL = static_cast<const float*>(data);
            return;
        case lv2id::kInputRight:
            self.inR = static_cast<const float*>(data);
            return;
        case lv2id::kOutputLeft:
            self.outL = static_cast<float*>(data);
            return;
        case lv2id::kOutputRight:
            self.outR = static_cast<float*>(data);
            return;
        default:
            break;
    }
    const int parameter = lv2id::parameterOfPort(port);
    if (parameter >= 0)
        self.controls[static_cast<std::size_t>(parameter)] = static_cast<const float*>(data);
}

void activate(LV2_Handle handle) { instanceOf(handle)->delay.activate(); }

void run(LV2_Handle handle, std::uint32_t frames) {
    Instance& self = *instanceOf(handle);
    self.delay.takeControls(self.controls);
    // A host must connect every audio port before running; one that did not gets nothing
    // written rather than a write through a null pointer.
    if (self.inL == nullptr || self.inR == nullptr || self.outL == nullptr ||
        self.outR == nullptr) {
        return;
    }
    self.delay.process(self.inL, self.inR, self.outL, self.outR, frames);
}

void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle) { delete instanceOf(handle); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {
    lv2id::kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup, extensionData,
};

}  // namespace

// (The macro declares the entry extern "C" and visible.)
LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(std::uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
