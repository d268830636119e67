#include "ClapHostedPlugin.h"

#include <algorithm>
#include <cstring>

#include "PluginLibrary.h"

namespace {

ClapHostNotes& notesOf(const clap_host_t* host) {
    return *static_cast<ClapHostNotes*>(host->host_data);
}

const clap_host_params_t kHostParams{
    [](const clap_host_t* host, std::uint32_t) { ++notesOf(host).rescans; },
    [](const clap_host_t*, clap_id, std::uint32_t) {},
    [](const clap_host_t* host) { ++notesOf(host).flushRequests; },
};
const clap_host_state_t kHostState{[](const clap_host_t* host) { ++notesOf(host).dirtyMarks; }};
const clap_host_tail_t kHostTail{[](const clap_host_t* host) { ++notesOf(host).tailChanges; }};
const clap_host_timer_support_t kHostTimers{
    [](const clap_host_t* host, std::uint32_t period, clap_id* id) {
        auto& timers = notesOf(host).timers;
        const clap_id next = timers.empty() ? 1 : timers.rbegin()->first + 1;
        timers[next] = period;
        if (id != nullptr) *id = next;
        return true;
    },
    [](const clap_host_t* host, clap_id id) { return notesOf(host).timers.erase(id) == 1; },
};
const clap_host_posix_fd_support_t kHostFiles{
    [](const clap_host_t* host, int fd, std::uint32_t flags) {
        return notesOf(host).files.emplace(fd, flags).second;
    },
    [](const clap_host_t* host, int fd, std::uint32_t flags) {
        auto& files = notesOf(host).files;
        if (!files.contains(fd)) return false;
        files[fd] = flags;
        return true;
    },
    [](const clap_host_t* host, int fd) { return notesOf(host).files.erase(fd) == 1; },
};
const clap_host_preset_load_t kHostPresetLoad{
    [](const clap_host_t* host, std::uint32_t, const char*, const char*, std::int32_t,
       const char*) { ++notesOf(host).presetErrors; },
    [](const clap_host_t* host, std::uint32_t, const char*, const char*) {
        ++notesOf(host).presetsLoaded;
    },
};
const clap_host_gui_t kHostGui{
    [](const clap_host_t*) {},
    [](const clap_host_t*, std::uint32_t, std::uint32_t) { return true; },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*) { return false; },
    [](const clap_host_t*, bool) {},
};

const void* hostExtension(const clap_host_t*, const char* id) {
    const auto is = [id](const char* name) { return std::strcmp(id, name) == 0; };
    if (is(CLAP_EXT_PARAMS)) return &kHostParams;
    if (is(CLAP_EXT_STATE)) return &kHostState;
    if (is(CLAP_EXT_TAIL)) return &kHostTail;
    if (is(CLAP_EXT_TIMER_SUPPORT)) return &kHostTimers;
    if (is(CLAP_EXT_POSIX_FD_SUPPORT)) return &kHostFiles;
    if (is(CLAP_EXT_PRESET_LOAD)) return &kHostPresetLoad;
    if (is(CLAP_EXT_GUI)) return &kHostGui;
    return nullptr;
}

// The host's events for one call, in the list shape the plug-in reads.
class InputEvents {
public:
    explicit InputEvents(const std::vector<ClapParamChange>& changes) {
        for (const ClapParamChange& change : changes) {
            clap_event_param_value_t event{};
            event.header = {sizeof event, change.frame, CLAP_CORE_EVENT_SPACE_ID,
                            CLAP_EVENT_PARAM_VALUE, 0};
            event.param_id = change.id;
            event.note_id = -1;
            event.port_index = event.channel = event.key = -1;
            event.value = change.value;
            events.push_back(event);
        }
        list.ctx = this;
        list.size = [](const clap_input_events_t* l) {
            return static_cast<std::uint32_t>(static_cast<InputEvents*>(l->ctx)->events.size());
        };
        list.get = [](const clap_input_events_t* l, std::uint32_t i) -> const clap_event_header_t* {
            auto& all = static_cast<InputEvents*>(l->ctx)->events;
            return i < all.size() ? &all[i].header : nullptr;
        };
    }
    const clap_input_events_t* get() const { return &list; }

private:
    std::vector<clap_event_param_value_t> events;
    clap_input_events_t list{};
};

// What the plug-in sends the host in one call.
class OutputEvents {
public:
    OutputEvents() {
        list.ctx = &told;
        list.try_push = [](const clap_output_events_t* l, const clap_event_header_t* event) {
            auto& into = *static_cast<std::vector<ClapToldEvent>*>(l->ctx);
            if (event == nullptr || event->space_id != CLAP_CORE_EVENT_SPACE_ID) return false;
            if (event->type == CLAP_EVENT_PARAM_VALUE) {
                clap_event_param_value_t value;
                std::memcpy(&value, event, sizeof value);
                into.push_back({event->type, value.param_id, value.value});
            } else {
                clap_event_param_gesture_t gesture;
                std::memcpy(&gesture, event, sizeof gesture);
                into.push_back({event->type, gesture.param_id, 0.0});
            }
            return true;
        };
    }
    const clap_output_events_t* get() const { return &list; }
    std::vector<ClapToldEvent> told;

private:
    clap_output_events_t list{};
};

struct ByteStream {
    const std::vector<std::uint8_t>* from = nullptr;
    std::vector<std::uint8_t>* to = nullptr;
    std::size_t position = 0;
    std::size_t mostPerCall = 0;
};

}  // namespace

ClapHostedPlugin::ClapHostedPlugin(const ClapLibrary& library, const char* pluginId) {
    host.clap_version = CLAP_VERSION;
    host.host_data = &hostNotes;
    host.name = "zvhost";
    host.vendor = "ZvDelay32 developers";
    host.url = "";
    host.version = "1.0.0";
    host.get_extension = hostExtension;
    host.request_restart = [](const clap_host_t*) {};
    host.request_process = [](const clap_host_t*) {};
    host.request_callback = [](const clap_host_t*) {};
    const clap_plugin_factory_t* factory = library.pluginFactory();
    const char* id = pluginId != nullptr ? pluginId : library.firstPlugin().id;
    instance = factory != nullptr ? factory->create_plugin(factory, &host, id) : nullptr;
    if (instance == nullptr) throw PluginLoadError(library.path() + ": no plug-in " + id);
    if (!instance->init(instance)) {
        instance->destroy(instance);
        throw PluginLoadError(library.path() + ": the plug-in's init failed");
    }
}

ClapHostedPlugin::~ClapHostedPlugin() {
    if (instance == nullptr) return;
    deactivate();
    instance->destroy(instance);
}

void ClapHostedPlugin::destroyNow() {
    if (instance != nullptr) instance->destroy(instance);
    instance = nullptr;
}

bool ClapHostedPlugin::activate(double sampleRate, std::uint32_t maxFrames) {
    deactivate();
    active = instance->activate(instance, sampleRate, 1, maxFrames);
    longestBlock = maxFrames;
    return active;
}

void ClapHostedPlugin::deactivate() {
    if (processing) instance->stop_processing(instance);
    processing = false;
    if (active) instance->deactivate(instance);
    active = false;
}

std::vector<ClapToldEvent> ClapHostedPlugin::process(float* const in[2], float* const out[2],
                                                     std::uint32_t frames,
                                                     const std::vector<ClapParamChange>& changes) {
    if (!processing) processing = instance->start_processing(instance);
    clap_audio_buffer_t input{const_cast<float**>(in), nullptr, 2, 0, 0};
    clap_audio_buffer_t output{const_cast<float**>(out), nullptr, 2, 0, 0};
    const InputEvents events(changes);
    OutputEvents told;
    clap_process_t block{};
    block.steady_time = -1;
    block.frames_count = frames;
    block.audio_inputs = &input;
    block.audio_outputs = &output;
    block.audio_inputs_count = 1;
    block.audio_outputs_count = 1;
    block.in_events = events.get();
    block.out_events = told.get();
    instance->process(instance, &block);
    return told.told;
}

std::vector<ClapToldEvent> ClapHostedPlugin::flush(const std::vector<ClapParamChange>& changes) {
    const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    const InputEvents events(changes);
    OutputEvents told;
    if (params != nullptr) params->flush(instance, events.get(), told.get());
    return told.told;
}

double ClapHostedPlugin::value(clap_id id) const {
    const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    double value = -1.0;
    if (params == nullptr || !params->get_value(instance, id, &value)) return -1.0;
    return value;
}

std::string ClapHostedPlugin::text(clap_id id, double value) const {
    const auto* params = extension<clap_plugin_params_t>(CLAP_EXT_PARAMS);
    char buffer[256] = {};
    if (params == nullptr || !params->value_to_text(instance, id, value, buffer, sizeof buffer)) {
        return {};
    }
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::optional<std::vector<std::uint8_t>> ClapHostedPlugin::saveState(
    std::size_t mostPerCall) const {
    const auto* state = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    if (state == nullptr) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    ByteStream sink{nullptr, &bytes, 0, mostPerCall};
    clap_ostream_t stream{&sink, [](const clap_ostream_t* s, const void* data, std::uint64_t size) {
                              auto& into = *static_cast<ByteStream*>(s->ctx);
                              const auto n = static_cast<std::size_t>(
                                  std::min<std::uint64_t>(size, into.mostPerCall));
                              const auto* first = static_cast<const std::uint8_t*>(data);
                              into.to->insert(into.to->end(), first, first + n);
                              return static_cast<std::int64_t>(n);
                          }};
    if (!state->save(instance, &stream)) return std::nullopt;
    return bytes;
}

bool ClapHostedPlugin::loadState(const std::vector<std::uint8_t>& bytes,
                                 std::size_t mostPerCall) const {
    const auto* state = extension<clap_plugin_state_t>(CLAP_EXT_STATE);
    if (state == nullptr) return false;
    ByteStream source{&bytes, nullptr, 0, mostPerCall};
    clap_istream_t stream{&source, [](const clap_istream_t* s, void* data, std::uint64_t size) {
                              auto& from = *static_cast<ByteStream*>(s->ctx);
                              const std::size_t left = from.from->size() - from.position;
                              const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(
                                  std::min<std::uint64_t>(size, left), from.mostPerCall));
                              if (n > 0) std::memcpy(data, from.from->data() + from.position, n);
                              from.position += n;
                              return static_cast<std::int64_t>(n);
                          }};
    return state->load(instance, &stream);
}

void ClapHostedPlugin::fireTimers() {
    const auto* timers = extension<clap_plugin_timer_support_t>(CLAP_EXT_TIMER_SUPPORT);
    if (timers == nullptr) return;
    const auto registered = hostNotes.timers;
    for (const auto& [id, period] : registered) timers->on_timer(instance, id);
}

void ClapHostedPlugin::signalFiles() {
    const auto* files = extension<clap_plugin_posix_fd_support_t>(CLAP_EXT_POSIX_FD_SUPPORT);
    if (files == nullptr) return;
    const auto watched = hostNotes.files;
    for (const auto& [fd, flags] : watched) files->on_fd(instance, fd, CLAP_POSIX_FD_READ);
}
