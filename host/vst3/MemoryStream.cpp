#include "MemoryStream.h"

#include <algorithm>
#include <cstring>

vst3::tresult MemoryStream::queryInterface(const vst3::TUID interfaceId, void** object) {
    const bool known = vst3::FUnknown::iid.is(interfaceId) || vst3::IBStream::iid.is(interfaceId);
    if (object != nullptr) *object = known ? this : nullptr;
    return known ? vst3::kResultOk : vst3::kNoInterface;
}

vst3::int32 MemoryStream::allowed(vst3::int32 asked) const {
    return limit > 0 ? std::min(asked, limit) : asked;
}

vst3::tresult MemoryStream::read(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesRead) {
    if (buffer == nullptr || numBytes < 0) return vst3::kInvalidArgument;
    const std::size_t available = bytes.size() - position;
    const auto count =
        std::min<std::size_t>(static_cast<std::size_t>(allowed(numBytes)), available);
    if (count > 0) std::memcpy(buffer, bytes.data() + position, count);
    position += count;
    if (numBytesRead != nullptr) *numBytesRead = static_cast<vst3::int32>(count);
    return vst3::kResultOk;
}

vst3::tresult MemoryStream::write(void* buffer, vst3::int32 numBytes,
                                  vst3::int32* numBytesWritten) {
    if (buffer == nullptr || numBytes < 0) return vst3::kInvalidArgument;
    const auto count = static_cast<std::size_t>(allowed(numBytes));
    if (position + count > bytes.size()) bytes.resize(position + count);
    std::memcpy(bytes.data() + position, buffer, count);
    position += count;
    if (numBytesWritten != nullptr) *numBytesWritten = static_cast<vst3::int32>(count);
    return vst3::kResultOk;
}

vst3::tresult MemoryStream::seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) {
    const auto base = mode == kIBSeekCur   ? static_cast<vst3::int64>(position)
                      : mode == kIBSeekEnd ? static_cast<vst3::int64>(bytes.size())
                                           : 0;
    const vst3::int64 target = base + pos;
    if (target < 0) return vst3::kInvalidArgument;
    position = std::min(static_cast<std::size_t>(target), bytes.size());
    if (result != nullptr) *result = static_cast<vst3::int64>(position);
    return vst3::kResultOk;
}

vst3::tresult MemoryStream::tell(vst3::int64* pos) {
    if (pos == nullptr) return vst3::kInvalidArgument;
    *pos = static_cast<vst3::int64>(position);
    return vst3::kResultOk;
}
