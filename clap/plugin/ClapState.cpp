// The settings as the host keeps them with its project: the core's own versioned bytes. The host's
// streams may move fewer bytes than asked at a time, so both directions go on until all is moved
// (or the stream says it ended or failed). What cannot be read is refused and changes nothing.
#include <cstdint>
#include <vector>

#include "ClapDelay.h"
#include "ClapOfferedExtensions.h"
#include "SavedState.h"

namespace {

// Anything longer than a saved state can be is not one: reading stops there rather than taking
// whatever memory a broken stream offers.
constexpr std::size_t kMostBytesRead = saved_state::kBytes + 1;

bool save(const clap_plugin_t* plugin, const clap_ostream_t* stream) {
    if (stream == nullptr || stream->write == nullptr) return false;
    const std::vector<std::uint8_t> bytes = saved_state::save(ClapDelay::of(plugin).delayCore());
    std::size_t written = 0;
    while (written < bytes.size()) {
        const std::int64_t moved =
            stream->write(stream, bytes.data() + written, bytes.size() - written);
        if (moved <= 0 || static_cast<std::uint64_t>(moved) > bytes.size() - written) return false;
        written += static_cast<std::size_t>(moved);
    }
    return true;
}

bool load(const clap_plugin_t* plugin, const clap_istream_t* stream) {
    if (stream == nullptr || stream->read == nullptr) return false;
    std::vector<std::uint8_t> bytes(kMostBytesRead);
    std::size_t read = 0;
    while (read < bytes.size()) {
        const std::int64_t moved = stream->read(stream, bytes.data() + read, bytes.size() - read);
        if (moved < 0 || static_cast<std::uint64_t>(moved) > bytes.size() - read) return false;
        if (moved == 0) break;
        read += static_cast<std::size_t>(moved);
    }
    ClapDelay& delay = ClapDelay::of(plugin);
    if (!saved_state::restore(delay.delayCore(), bytes.data(), read)) return false;
    delay.tellHostValuesChanged();
    return true;
}

constexpr clap_plugin_state_t kState{save, load};

}  // namespace

const clap_plugin_state_t& clapState() { return kState; }
