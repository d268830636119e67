#include "ClapDelay.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "ClapIdentity.h"
#include "ClapOfferedExtensions.h"
#include "ClapProcess.h"

namespace {

// The rate the core starts at until activate gives the host's: the lines are made once, here,
// outside the audio thread, and any rate later only changes how much of them is used.
constexpr float kRateBeforeActivation = 44100.0f;

template <typename Extension>
const Extension* hostExtension(const clap_host_t* host, const char* id) {
    if (host == nullptr || host->get_extension == nullptr) return nullptr;
    return static_cast<const Extension*>(host->get_extension(host, id));
}

// Both channels of a port's buffer, or nulls where the host gave fewer (the core then writes
// silence).
struct Channels {
    float* left = nullptr;
    float* right = nullptr;
};
Channels channelsOf(const clap_audio_buffer_t* buffers, std::uint32_t count) {
    if (buffers == nullptr || count < 1 || buffers[0].data32 == nullptr ||
        buffers[0].channel_count < 2) {
        return {};
    }
    return {buffers[0].data32[0], buffers[0].data32[1]};
}
float* offset(float* channel, std::uint32_t frames) {
    return channel != nullptr ? channel + frames : nullptr;
}

}  // namespace

ClapDelay::ClapDelay(const clap_host_t* clapHost, const ClapEditorExtensions& editorOffers)
    : host(clapHost),
      editorExtensions(editorOffers),
      core(kRateBeforeActivation),
      editorHost(core, gestures) {
    plugin.desc = &clap_identity::descriptor();
    plugin.plugin_data = this;
    plugin.init = [](const clap_plugin_t* p) { return of(p).init(); };
    plugin.destroy = [](const clap_plugin_t* p) { delete &of(p); };
    plugin.activate = [](const clap_plugin_t* p, double rate, std::uint32_t, std::uint32_t) {
        return of(p).activate(rate);
    };
    plugin.deactivate = [](const clap_plugin_t* p) { of(p).active = false; };
    plugin.start_processing = [](const clap_plugin_t*) { return true; };
    plugin.stop_processing = [](const clap_plugin_t*) {};
    // A full reset: the audio then runs as a fresh instance's, so a host's export from here
    // equals a render from the start.
    plugin.reset = [](const clap_plugin_t* p) { of(p).core.restart(); };
    plugin.process = [](const clap_plugin_t* p, const clap_process_t* block) {
        return block != nullptr ? of(p).process(*block) : CLAP_PROCESS_ERROR;
    };
    plugin.get_extension = [](const clap_plugin_t* p, const char* id) {
        return id != nullptr ? of(p).extension(id) : nullptr;
    };
    plugin.on_main_thread = [](const clap_plugin_t*) {};
}

// The editor goes first: its windows, timers and descriptors are given back while the host and
// the core it shows are still there.
ClapDelay::~ClapDelay() { editor.reset(); }

// The host's extensions may only be asked for from init on.
bool ClapDelay::init() {
    hostHas.params = hostExtension<clap_host_params_t>(host, CLAP_EXT_PARAMS);
    hostHas.state = hostExtension<clap_host_state_t>(host, CLAP_EXT_STATE);
    hostHas.tail = hostExtension<clap_host_tail_t>(host, CLAP_EXT_TAIL);
    hostHas.gui = hostExtension<clap_host_gui_t>(host, CLAP_EXT_GUI);
    hostHas.timerSupport = hostExtension<clap_host_timer_support_t>(host, CLAP_EXT_TIMER_SUPPORT);
    hostHas.posixFdSupport =
        hostExtension<clap_host_posix_fd_support_t>(host, CLAP_EXT_POSIX_FD_SUPPORT);
    hostHas.presetLoad = hostExtension<clap_host_preset_load_t>(host, CLAP_EXT_PRESET_LOAD);
    if (hostHas.presetLoad == nullptr) {
        hostHas.presetLoad =
            hostExtension<clap_host_preset_load_t>(host, CLAP_EXT_PRESET_LOAD_COMPAT);
    }
    editorHost.reachHostThrough(host, hostHas.params);
    return true;
}

// On the main thread, with no audio running: the new rate is taken up here (filters, delay
// length, silent lines), so the first block at it does no such work; the audio starts as a fresh
// instance's does.
bool ClapDelay::activate(double sampleRate) {
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate)) return false;
    core.setSampleRate(static_cast<float>(sampleRate));
    core.process(nullptr, nullptr, nullptr, nullptr, 0);
    core.restart();
    active = true;
    return true;
}

// The block in pieces between the frames the host's events fall on: the audio before an event
// runs with the values before it. Events come sorted by time; one past the block's end counts at
// its end, one before the last piece's end at that end.
std::int32_t ClapDelay::process(const clap_process_t& block) {
    tellHostOfGestures(block.out_events);
    const Channels in = channelsOf(block.audio_inputs, block.audio_inputs_count);
    const Channels out = channelsOf(block.audio_outputs, block.audio_outputs_count);
    const std::uint32_t frames = block.frames_count;
    const clap_input_events_t* events = block.in_events;
    const std::uint32_t count =
        events != nullptr && events->size != nullptr ? events->size(events) : 0u;

    std::uint32_t done = 0;
    const auto runTo = [&](std::uint32_t end) {
        if (end <= done) return;
        core.process(offset(in.left, done), offset(in.right, done), offset(out.left, done),
                     offset(out.right, done), static_cast<std::int32_t>(end - done));
        done = end;
    };
    for (std::uint32_t i = 0; i < count; ++i) {
        const clap_event_header_t* event = events->get(events, i);
        if (event == nullptr) continue;
        runTo(std::min(event->time, frames));
        applyEvent(*event);
    }
    runTo(frames);
    return CLAP_PROCESS_CONTINUE;
}

void ClapDelay::flush(const clap_input_events_t* in, const clap_output_events_t* out) {
    const std::uint32_t count = in != nullptr && in->size != nullptr ? in->size(in) : 0u;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (const clap_event_header_t* event = in->get(in, i)) applyEvent(*event);
    }
    tellHostOfGestures(out);
}

// A parameter value of the core event space goes through the core's one rule, held to 0..1; a
// value that is not a number is no value and changes nothing. Everything else is not for us.
void ClapDelay::applyEvent(const clap_event_header_t& event) {
    if (event.space_id != CLAP_CORE_EVENT_SPACE_ID || event.type != CLAP_EVENT_PARAM_VALUE ||
        event.size < sizeof(clap_event_param_value_t)) {
        return;
    }
    clap_event_param_value_t change;
    std::memcpy(&change, &event, sizeof change);
    if (change.param_id >= static_cast<clap_id>(kNumParams) || std::isnan(change.value)) return;
    const double value = std::clamp(change.value, 0.0, 1.0);
    const int index = static_cast<int>(change.param_id);
    core.setParameter(index, static_cast<float>(value));
    // The delay and the feedback decide how long the echoes last.
    if ((index == kDelay || index == kFeedBack) && hostHas.tail != nullptr &&
        hostHas.tail->changed != nullptr) {
        hostHas.tail->changed(host);
    }
}

// The user's gestures the editor sent since the last block, as events at the block's first frame.
// An event the host's list refuses is lost, as a host that cannot take it has no use for it.
void ClapDelay::tellHostOfGestures(const clap_output_events_t* out) {
    if (out == nullptr || out->try_push == nullptr) return;
    struct Host {
        const clap_output_events_t* out;
        void gesture(int index, std::uint16_t type) {
            clap_event_param_gesture_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, type, CLAP_EVENT_IS_LIVE};
            event.param_id = static_cast<clap_id>(index);
            out->try_push(out, &event.header);
        }
        void beginEdit(int index) { gesture(index, CLAP_EVENT_PARAM_GESTURE_BEGIN); }
        void automate(int index, float value) {
            clap_event_param_value_t event{};
            event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE,
                            CLAP_EVENT_IS_LIVE};
            event.param_id = static_cast<clap_id>(index);
            event.note_id = -1;
            event.port_index = -1;
            event.channel = -1;
            event.key = -1;
            event.value = value;
            out->try_push(out, &event.header);
        }
        void endEdit(int index) { gesture(index, CLAP_EVENT_PARAM_GESTURE_END); }
    } told{out};
    gestures.deliver(told);
}

void ClapDelay::tellHostValuesChanged() {
    if (hostHas.params != nullptr && hostHas.params->rescan != nullptr) {
        hostHas.params->rescan(host, CLAP_PARAM_RESCAN_VALUES | CLAP_PARAM_RESCAN_TEXT);
    }
}

void ClapDelay::tellHostProjectChanged() {
    if (hostHas.state != nullptr && hostHas.state->mark_dirty != nullptr) {
        hostHas.state->mark_dirty(host);
    }
}

const void* ClapDelay::extension(const char* id) const {
    const auto is = [id](const char* name) { return std::strcmp(id, name) == 0; };
    if (is(CLAP_EXT_AUDIO_PORTS)) return &clapAudioPorts();
    if (is(CLAP_EXT_PARAMS)) return &clapParams();
    if (is(CLAP_EXT_STATE)) return &clapState();
    if (is(CLAP_EXT_LATENCY)) return &clapLatency();
    if (is(CLAP_EXT_TAIL)) return &clapTail();
    if (is(CLAP_EXT_PRESET_LOAD) || is(CLAP_EXT_PRESET_LOAD_COMPAT)) return &clapPresetLoad();
    if (is(CLAP_EXT_GUI)) return editorExtensions.gui;
    if (is(CLAP_EXT_TIMER_SUPPORT)) return editorExtensions.timerSupport;
    if (is(CLAP_EXT_POSIX_FD_SUPPORT)) return editorExtensions.posixFdSupport;
    return nullptr;
}
