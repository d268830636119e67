// Speaker arrangements: a two-field header followed by one properties record per channel, sized
// for exactly the channels it holds. These helpers allocate, free and copy them; every one
// answers false and writes nothing when handed a null arrangement pointer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "AudioEffectX.h"

namespace {

constexpr std::size_t kHeaderBytes = offsetof(VstSpeakerArrangement, speakers);
constexpr std::size_t kSpeakerBytes = sizeof(VstSpeakerProperties);
static_assert(kHeaderBytes == 8 && kSpeakerBytes == 112);

// The largest channel count whose block size still fits a signed 32-bit size, as hosts count
// arrangement sizes.
constexpr VstInt32 kMaxChannels = static_cast<VstInt32>(
    (static_cast<std::size_t>(std::numeric_limits<VstInt32>::max()) - kHeaderBytes) /
    kSpeakerBytes);

// The channel's record found by byte offset, so that channels past the declared array stay
// inside the allocated block without indexing the array beyond its bound.
VstSpeakerProperties* speakerAt(VstSpeakerArrangement* arrangement, VstInt32 channel) {
    auto* bytes = reinterpret_cast<unsigned char*>(arrangement);
    return reinterpret_cast<VstSpeakerProperties*>(
        bytes + kHeaderBytes + static_cast<std::size_t>(channel) * kSpeakerBytes);
}

}  // namespace

bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input,
                                         VstSpeakerArrangement** output) {
    if (input != nullptr) *input = nullptr;
    if (output != nullptr) *output = nullptr;
    return false;
}

// A negative count, a block too large to size or a failed allocation answers false and leaves
// the arrangement the pointer holds as it was; the old one is freed only once the new exists.
bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels) {
    if (arrangement == nullptr) return false;
    if (channels < 0 || channels > kMaxChannels) return false;
    const std::size_t size = static_cast<std::size_t>(channels) * kSpeakerBytes + kHeaderBytes;
    void* block = std::calloc(1, size);
    if (block == nullptr) return false;
    std::free(*arrangement);
    *arrangement = static_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = channels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement == nullptr) return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (to == nullptr || from == nullptr) return false;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    // The name as text of at most 63 characters, zero-padded so the last byte always ends it.
    constexpr std::size_t kNameChars = sizeof(to->name) - 1;
    std::size_t length = 0;
    for (; length < kNameChars && from->name[length] != '\0'; ++length) {
        to->name[length] = from->name[length];
    }
    for (; length <= kNameChars; ++length) to->name[length] = '\0';
    to->type = from->type;
    for (std::size_t k = 0; k < sizeof(to->future); ++k) to->future[k] = from->future[k];
    return true;
}

// The copy is built in a fresh arrangement and swapped in at the end, so copying an arrangement
// onto itself reads nothing already freed and a failure leaves the target as it was.
bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (to == nullptr || from == nullptr) return false;
    VstSpeakerArrangement* copy = nullptr;
    if (!allocateArrangement(&copy, from->numChannels)) return false;
    copy->type = from->type;
    for (VstInt32 channel = 0; channel < from->numChannels; ++channel) {
        if (!copySpeaker(speakerAt(copy, channel), speakerAt(from, channel))) {
            deallocateArrangement(&copy);
            return false;
        }
    }
    if (!deallocateArrangement(to)) {
        deallocateArrangement(&copy);
        return false;
    }
    *to = copy;
    return true;
}
