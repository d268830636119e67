// The ground every VST 3 interface stands on, as the published interface describes it: the
// integer and text types, the result codes, the 16-byte interface ids, FUnknown (query, add a
// reference, release) and the byte stream a host hands over for state. Only what this plug-in
// uses. These are binary contracts with code built by others: the method order is the vtable,
// the structs keep natural alignment, and on Windows ids and result codes follow COM.
#pragma once

#include <cstdint>
#include <cstring>

namespace vst3 {

using int16 = std::int16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using int64 = std::int64_t;
using uint64 = std::uint64_t;
using TBool = std::uint8_t;
using char16 = char16_t;
using String128 = char16[128];
using tresult = int32;
using TUID = char[16];
using FIDString = const char*;

// On 64-bit Windows there is one calling convention, so the methods need no marking there either.
#ifdef _WIN32
inline constexpr tresult kNoInterface = static_cast<tresult>(0x80004002L);
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = static_cast<tresult>(0x80070057L);
inline constexpr tresult kNotImplemented = static_cast<tresult>(0x80004001L);
#else
inline constexpr tresult kNoInterface = -1;
inline constexpr tresult kResultOk = 0;
inline constexpr tresult kResultFalse = 1;
inline constexpr tresult kInvalidArgument = 2;
inline constexpr tresult kNotImplemented = 3;
#endif
inline constexpr tresult kResultTrue = kResultOk;

// An interface or class id, written as four 32-bit numbers. Windows hosts compare them as COM
// GUIDs (the first number and the two halves of the second stored low byte first); elsewhere all
// sixteen bytes go most significant first.
struct Uid {
    unsigned char bytes[16];

    constexpr Uid(uint32 l1, uint32 l2, uint32 l3, uint32 l4) : bytes{} {
#ifdef _WIN32
        for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(l1 >> (8 * i));
        bytes[4] = static_cast<unsigned char>(l2 >> 16);
        bytes[5] = static_cast<unsigned char>(l2 >> 24);
        bytes[6] = static_cast<unsigned char>(l2);
        bytes[7] = static_cast<unsigned char>(l2 >> 8);
#else
        for (int i = 0; i < 4; ++i) {
            bytes[i] = static_cast<unsigned char>(l1 >> (24 - 8 * i));
            bytes[4 + i] = static_cast<unsigned char>(l2 >> (24 - 8 * i));
        }
#endif
        for (int i = 0; i < 4; ++i) {
            bytes[8 + i] = static_cast<unsigned char>(l3 >> (24 - 8 * i));
            bytes[12 + i] = static_cast<unsigned char>(l4 >> (24 - 8 * i));
        }
    }

    // Whether the id a host passed (16 bytes, possibly null) is this one.
    bool is(const void* id) const { return id != nullptr && std::memcmp(id, bytes, 16) == 0; }
    const char* data() const { return reinterpret_cast<const char*>(bytes); }
};

class FUnknown {
public:
    static constexpr Uid iid{0x00000000, 0x00000000, 0xC0000000, 0x00000046};
    virtual tresult queryInterface(const TUID interfaceId, void** object) = 0;
    virtual uint32 addRef() = 0;
    virtual uint32 release() = 0;

protected:
    ~FUnknown() = default;
};

class IPluginBase : public FUnknown {
public:
    static constexpr Uid iid{0x22888DDB, 0x156E45AE, 0x8358B348, 0x08190625};
    virtual tresult initialize(FUnknown* context) = 0;
    virtual tresult terminate() = 0;

protected:
    ~IPluginBase() = default;
};

// A host's stream: reads and writes may move fewer bytes than asked.
class IBStream : public FUnknown {
public:
    static constexpr Uid iid{0xC3BF6EA2, 0x30994752, 0x9B6BF990, 0x1EE33E9B};
    enum SeekMode : int32 { kIBSeekSet = 0, kIBSeekCur, kIBSeekEnd };
    virtual tresult read(void* buffer, int32 numBytes, int32* numBytesRead) = 0;
    virtual tresult write(void* buffer, int32 numBytes, int32* numBytesWritten) = 0;
    virtual tresult seek(int64 pos, int32 mode, int64* result) = 0;
    virtual tresult tell(int64* pos) = 0;

protected:
    ~IBStream() = default;
};

}  // namespace vst3
