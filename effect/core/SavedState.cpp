#include "SavedState.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace saved_state {

namespace {

constexpr std::uint8_t kMagic[4] = {'Z', 'v', 'D', '8'};

void putWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(word >> shift));
    }
}

std::uint32_t wordAt(const std::uint8_t* at) {
    std::uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = (word << 8) | at[i];
    return word;
}

struct ProgramRead {
    std::array<float, kNumParams> values{};
    char name[kNameBytes] = {};
};

}  // namespace

std::vector<std::uint8_t> save(const DelayCore& core) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    out.reserve(kBytes);
    putWord(out, kVersion);
    putWord(out, static_cast<std::uint32_t>(core.program()));
    for (int program = 0; program < kNumPrograms; ++program) {
        char name[kNameBytes] = {};
        core.programName(program, name, kProgramNameLength);
        out.insert(out.end(), name, name + kNameBytes);
        for (int index = 0; index < kNumParams; ++index) {
            putWord(out, std::bit_cast<std::uint32_t>(core.programValue(program, index)));
        }
    }
    return out;
}

bool restore(DelayCore& core, const std::uint8_t* bytes, std::size_t size) {
    if (bytes == nullptr || size != kBytes || std::memcmp(bytes, kMagic, 4) != 0 ||
        wordAt(bytes + 4) != kVersion) {
        return false;
    }
    const std::uint32_t loaded = wordAt(bytes + 8);
    if (loaded >= static_cast<std::uint32_t>(kNumPrograms)) return false;
    // Everything is read and checked before anything changes.
    std::array<ProgramRead, kNumPrograms> programs;
    const std::uint8_t* at = bytes + 12;
    for (ProgramRead& program : programs) {
        std::memcpy(program.name, at, kNameBytes);
        program.name[kNameBytes - 1] = '\0';
        at += kNameBytes;
        for (float& value : program.values) {
            value = std::bit_cast<float>(wordAt(at));
            at += 4;
            if (!std::isfinite(value)) return false;
        }
    }
    for (int program = 0; program < kNumPrograms; ++program) {
        const ProgramRead& read = programs[static_cast<std::size_t>(program)];
        core.storeProgram(program, read.values, read.name);
    }
    core.selectProgram(static_cast<int>(loaded));
    return true;
}

}  // namespace saved_state
