// Moving bytes through a host's stream, which may move fewer than asked in one call: both loop
// until done, and stop at the first refusal or a call that moves nothing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "Vst3Base.h"

namespace stream_transfer {

// True when all `size` bytes were written.
bool writeAll(vst3::IBStream* stream, const std::uint8_t* bytes, std::size_t size);
// Reads until `capacity` bytes or the stream's end; the count read.
std::size_t readUpTo(vst3::IBStream* stream, std::uint8_t* buffer, std::size_t capacity);

}  // namespace stream_transfer
