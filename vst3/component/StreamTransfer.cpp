#include "StreamTransfer.h"

#include <algorithm>
#include <limits>

namespace stream_transfer {

namespace {
vst3::int32 chunk(std::size_t remaining) {
    return static_cast<vst3::int32>(
        std::min<std::size_t>(remaining, std::numeric_limits<vst3::int32>::max()));
}
}  // namespace

bool writeAll(vst3::IBStream* stream, const std::uint8_t* bytes, std::size_t size) {
    if (stream == nullptr) return false;
    std::size_t done = 0;
    while (done < size) {
        vst3::int32 moved = 0;
        const vst3::tresult result =
            stream->write(const_cast<std::uint8_t*>(bytes + done), chunk(size - done), &moved);
        if (result != vst3::kResultOk || moved <= 0) return false;
        done += std::min(static_cast<std::size_t>(moved), size - done);
    }
    return true;
}

std::size_t readUpTo(vst3::IBStream* stream, std::uint8_t* buffer, std::size_t capacity) {
    if (stream == nullptr) return 0;
    std::size_t done = 0;
    while (done < capacity) {
        vst3::int32 moved = 0;
        const vst3::tresult result = stream->read(buffer + done, chunk(capacity - done), &moved);
        if (result != vst3::kResultOk || moved <= 0) break;
        done += std::min(static_cast<std::size_t>(moved), capacity - done);
    }
    return done;
}

}  // namespace stream_transfer
