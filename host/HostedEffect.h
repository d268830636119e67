// One effect instance reached only through its record, the way a host reaches it: the
// dispatcher, the parameter entries and the process entries. Owns the instance and closes it.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "AEffect.h"

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

    // A text the effect writes. Plug-ins are told of short limits and often write past them, so
    // the buffer is generous and zeroed, and the text cut at its terminator.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0) const {
        std::array<char, 256> buffer{};
        call(opcode, index, value, buffer.data());
        buffer.back() = '\0';
        return buffer.data();
    }

    // The index of the parameter of that name, or -1.
    VstInt32 parameterIndex(const std::string& name) const {
        for (VstInt32 index = 0; index < e->numParams; ++index) {
            if (text(effGetParamName, index) == name) return index;
        }
        return -1;
    }

    // The host's usual start: open, rate, block size, switched on.
    void start(float rate = 44100.0f, VstInt32 blockSize = 512) const {
        call(effOpen);
        call(effSetSampleRate, 0, 0, nullptr, rate);
        call(effSetBlockSize, 0, blockSize);
        call(effMainsChanged, 0, 1);
    }

    // Switched off and closed, as hosts end an instance they started.
    void stop() {
        if (e != nullptr) call(effMainsChanged, 0, 0);
        close();
    }

    // effClose destroys the instance; the record is gone afterwards. Answers what it answered.
    VstIntPtr close() {
        const VstIntPtr answer = e != nullptr ? e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f) : 0;
        e = nullptr;
        return answer;
    }

private:
    AEffect* e;
};
