// The plug-in's audio as CLAP describes it: one stereo input and one stereo output, the main
// ones, which may share buffers; no latency; and the tail, the time its echoes take to die away.
#include <cmath>
#include <cstring>

#include "ClapDelay.h"
#include "ClapOfferedExtensions.h"
#include "TextBuffer.h"

namespace {

constexpr clap_id kInputPort = 0;
constexpr clap_id kOutputPort = 1;

std::uint32_t portCount(const clap_plugin_t*, bool) { return 1; }

bool portInfo(const clap_plugin_t*, std::uint32_t index, bool isInput,
              clap_audio_port_info_t* info) {
    if (index != 0 || info == nullptr) return false;
    std::memset(info, 0, sizeof *info);
    info->id = isInput ? kInputPort : kOutputPort;
    copyText(info->name, isInput ? "Stereo In" : "Stereo Out", CLAP_NAME_SIZE - 1);
    info->flags = CLAP_AUDIO_PORT_IS_MAIN;
    info->channel_count = 2;
    info->port_type = CLAP_PORT_STEREO;
    info->in_place_pair = isInput ? kOutputPort : kInputPort;
    return true;
}

// Echoes fall by the feedback gain at each pass through the line; the host may stop calling
// once they are 120 dB down, below what a 24-bit file keeps (the filters and the pan dip only
// take away, so they are left out of the count). Full feedback never dies away. The time is the
// echoes' count, plus the first, times the delay length.
std::uint32_t tail(const clap_plugin_t* plugin) {
    const DelayCore& core = ClapDelay::of(plugin).delayCore();
    const std::optional<DelayLength> length = core.delayLength();
    if (!length) return 0;
    const double frames = std::max(length->samples, 1);
    const double feedBack = std::fabs(core.parameter(kFeedBack));
    if (!(feedBack < 1.0)) return CLAP_TAIL_INFINITE;
    constexpr double kInaudible = 1.0e-6;  // -120 dB
    const double passes =
        feedBack > 0.0 ? std::ceil(std::log(kInaudible) / std::log(feedBack)) : 0.0;
    const double total = (passes + 1.0) * frames;
    return total < static_cast<double>(CLAP_TAIL_INFINITE) ? static_cast<std::uint32_t>(total)
                                                           : CLAP_TAIL_INFINITE;
}

constexpr clap_plugin_audio_ports_t kAudioPorts{portCount, portInfo};
constexpr clap_plugin_latency_t kLatency{[](const clap_plugin_t*) { return 0u; }};
constexpr clap_plugin_tail_t kTail{tail};

}  // namespace

const clap_plugin_audio_ports_t& clapAudioPorts() { return kAudioPorts; }
const clap_plugin_latency_t& clapLatency() { return kLatency; }
const clap_plugin_tail_t& clapTail() { return kTail; }
