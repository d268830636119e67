// A host's stream in memory, for a component's state. It may be told to move at most a few bytes
// a call, as some hosts' streams do.
#pragma once

#include <cstdint>
#include <vector>

#include "Vst3Base.h"

class MemoryStream final : public vst3::IBStream {
public:
    explicit MemoryStream(std::vector<std::uint8_t> content = {}, vst3::int32 mostPerCall = 0)
        : bytes(std::move(content)), limit(mostPerCall) {}

    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    vst3::tresult read(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesRead) override;
    vst3::tresult write(void* buffer, vst3::int32 numBytes, vst3::int32* numBytesWritten) override;
    vst3::tresult seek(vst3::int64 pos, vst3::int32 mode, vst3::int64* result) override;
    vst3::tresult tell(vst3::int64* pos) override;

    const std::vector<std::uint8_t>& content() const { return bytes; }
    // Back to the start, for reading what was written.
    void rewind() { position = 0; }

private:
    vst3::int32 allowed(vst3::int32 asked) const;

    std::vector<std::uint8_t> bytes;
    std::size_t position = 0;
    vst3::int32 limit;  // 0: no limit
};
