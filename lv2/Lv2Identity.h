// What an LV2 host knows the plug-in by: its URIs, the files of its bundle and the order of its
// ports. Hosts keep the URIs and port symbols in their sessions, so once published they never
// change; the plug-in, its editor and the bundle's description all read them from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ParameterTable.h"

namespace lv2id {

inline constexpr const char* kPluginUri = "https://zelvano.example/lv2/zvdelay32";
inline constexpr const char* kUiUri = "https://zelvano.example/lv2/zvdelay32#ui";
// Preset NN (the program's number, two digits) is kPresetUriPrefix + "NN": a number, not the
// name, so a program renamed later stays the same preset in saved sessions.
inline constexpr const char* kPresetUriPrefix = "https://zelvano.example/lv2/zvdelay32/preset/";

inline constexpr const char* kDspBinary = "ZvDelay32_dsp.so";
inline constexpr const char* kUiBinary = "ZvDelay32_ui.so";

// Audio inputs left then right, outputs left then right, then one control per parameter in the
// parameter table's order.
inline constexpr std::uint32_t kInputLeft = 0;
inline constexpr std::uint32_t kInputRight = 1;
inline constexpr std::uint32_t kOutputLeft = 2;
inline constexpr std::uint32_t kOutputRight = 3;
inline constexpr std::uint32_t kFirstControlPort = 4;
inline constexpr std::uint32_t kPortCount = kFirstControlPort + kNumParams;

struct AudioPort {
    const char* symbol;
    const char* name;
    bool input;
};
inline constexpr std::array<AudioPort, kFirstControlPort> kAudioPorts{{
    {"in_l", "Left In", true},
    {"in_r", "Right In", true},
    {"out_l", "Left Out", false},
    {"out_r", "Right Out", false},
}};

constexpr std::uint32_t controlPort(int parameter) {
    return kFirstControlPort + static_cast<std::uint32_t>(parameter);
}
// The parameter a port carries, or -1 for an audio port or a port beyond the last.
constexpr int parameterOfPort(std::uint32_t port) {
    if (port < kFirstControlPort || port >= kPortCount) return -1;
    return static_cast<int>(port - kFirstControlPort);
}

inline std::string presetUri(int program) {
    const char digits[] = {static_cast<char>('0' + program / 10 % 10),
                           static_cast<char>('0' + program % 10), '\0'};
    return std::string(kPresetUriPrefix) + digits;
}

}  // namespace lv2id
