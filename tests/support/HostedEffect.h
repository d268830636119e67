// One effect instance reached only through its record, the way a host reaches it: the
// dispatcher, the parameter entries and the process entries. Owns the instance and closes it.
#pragma once

#include <cstring>
#include <string>
#include <utility>

#include "AEffect.h"

// A host that answers the version query and nothing else.
inline VstIntPtr quietHost(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

class HostedEffect {
public:
    explicit HostedEffect(AEffect* record = nullptr) : e(record) {}
    ~HostedEffect() { close(); }
    HostedEffect(const HostedEffect&) = delete;
    HostedEffect& operator=(const HostedEffect&) = delete;
    HostedEffect(HostedEffect&& other) noexcept : e(std::exchange(other.e, nullptr)) {}
    HostedEffect& operator=(HostedEffect&& other) noexcept {
        if (this != &other) {
            close();
            e = std::exchange(other.e, nullptr);
        }
        return *this;
    }

    AEffect* record() const { return e; }
    explicit operator bool() const { return e != nullptr; }

    VstIntPtr call(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                   float opt = 0.0f) const {
        return e->dispatcher(e, opcode, index, value, ptr, opt);
    }
    void set(VstInt32 index, float value) const { e->setParameter(e, index, value); }
    float get(VstInt32 index) const { return e->getParameter(e, index); }
    void process(float** inputs, float** outputs, VstInt32 frames) const {
        e->processReplacing(e, inputs, outputs, frames);
    }

    // A text the effect writes into a generous buffer.
    std::string text(VstInt32 opcode, VstInt32 index = 0) const {
        char buffer[256];
        std::memset(buffer, 0, sizeof(buffer));
        call(opcode, index, 0, buffer);
        buffer[sizeof(buffer) - 1] = '\0';
        return buffer;
    }

    // The host's usual start: open, rate, block size, switched on.
    void start(float rate = 44100.0f, VstInt32 blockSize = 512) const {
        call(effOpen);
        call(effSetSampleRate, 0, 0, nullptr, rate);
        call(effSetBlockSize, 0, blockSize);
        call(effMainsChanged, 0, 1);
    }

    // effClose destroys the instance; the record is gone afterwards. Answers what it answered.
    VstIntPtr close() {
        const VstIntPtr answer =
            e != nullptr ? e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f) : 0;
        e = nullptr;
        return answer;
    }

private:
    AEffect* e;
};
