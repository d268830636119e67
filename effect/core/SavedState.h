// The plug-in's settings as bytes a host keeps with its project, in a format of our own: the
// loaded program and all 26 program memories (names and values), so a project reopens exactly as
// it was left. Little-endian throughout, whatever the machine:
//   "ZvD8"  version (u32, 1)  loaded program (u32)
//   26 × { name: 25 bytes, zero-padded; nine values: f32 each, in parameter order }
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "DelayCore.h"

namespace saved_state {

inline constexpr std::uint32_t kVersion = 1;
inline constexpr std::size_t kNameBytes = kProgramNameLength + 1;
inline constexpr std::size_t kBytes =
    4 + 4 + 4 + kNumPrograms * (kNameBytes + kNumParams * sizeof(float));

// The settings as bytes. Allocates: not for the audio thread.
std::vector<std::uint8_t> save(const DelayCore& core);

// Brings back settings saved by `save`: every memory and the loaded program, whose values take
// effect at once. Bytes it cannot read (another format, a later version, the wrong length, a
// program index or a value out of bounds) are refused with false, and the settings stay as they
// were.
bool restore(DelayCore& core, const std::uint8_t* bytes, std::size_t size);

}  // namespace saved_state
