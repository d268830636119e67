// One CLAP plug-in instance driven the way a host drives it, for zvhost and the tests: made and
// initialised from a library's factory, activated at a rate, given blocks of stereo audio with
// parameter events at their frames, asked for its state through streams that may move only a few
// bytes a call; and a host of its own, whose extensions (parameters, state, tail, timers,
// descriptors, preset loading, gui) note what the plug-in asks of them. Everything runs on the
// calling thread, which is both main and audio thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ClapExtensions.h"
#include "ClapLibrary.h"

// A value the host sends, at a frame of the block.
struct ClapParamChange {
    std::uint32_t frame;
    clap_id id;
    double value;
};

// An event the plug-in sent the host: a gesture's begin or end, or a value.
struct ClapToldEvent {
    std::uint16_t type;
    clap_id id;
    double value;  // for values only
    friend bool operator==(const ClapToldEvent&, const ClapToldEvent&) = default;
};

// What the plug-in asked of the host.
struct ClapHostNotes {
    int rescans = 0;
    int flushRequests = 0;
    int dirtyMarks = 0;
    int tailChanges = 0;
    int presetsLoaded = 0;
    int presetErrors = 0;
    std::map<clap_id, std::uint32_t> timers;  // id, period in ms
    std::map<int, std::uint32_t> files;       // descriptor, flags
};

class ClapHostedPlugin {
public:
    // The plug-in of that id, or the library's first; throws PluginLoadError when none is made or
    // its init fails.
    explicit ClapHostedPlugin(const ClapLibrary& library, const char* pluginId = nullptr);
    // Stopped, deactivated and destroyed, as a host ends an instance.
    ~ClapHostedPlugin();
    ClapHostedPlugin(const ClapHostedPlugin&) = delete;
    ClapHostedPlugin& operator=(const ClapHostedPlugin&) = delete;

    const clap_plugin_t& plugin() const { return *instance; }
    template <typename Extension>
    const Extension* extension(const char* id) const {
        return static_cast<const Extension*>(instance->get_extension(instance, id));
    }
    ClapHostNotes& notes() { return hostNotes; }

    bool activate(double sampleRate, std::uint32_t maxFrames = 8192);
    void deactivate();
    // Destroyed as it is, active or not, as a host that skips deactivate ends it.
    void destroyNow();

    // One block: two input and two output channels (the same buffers, or not), the host's changes
    // in time order. Starts processing at the first block after activation.
    std::vector<ClapToldEvent> process(float* const in[2], float* const out[2],
                                       std::uint32_t frames,
                                       const std::vector<ClapParamChange>& changes = {});
    // The host's flush between blocks (or while inactive).
    std::vector<ClapToldEvent> flush(const std::vector<ClapParamChange>& changes = {});

    double value(clap_id id) const;
    // The plug-in's text for a value; empty when it has none.
    std::string text(clap_id id, double value) const;

    // The state through a stream that takes or gives at most `mostPerCall` bytes a call; nothing
    // when save fails.
    std::optional<std::vector<std::uint8_t>> saveState(std::size_t mostPerCall = SIZE_MAX) const;
    bool loadState(const std::vector<std::uint8_t>& bytes,
                   std::size_t mostPerCall = SIZE_MAX) const;

    // The host's main loop: each registered timer fires once; each watched descriptor is said to
    // be readable.
    void fireTimers();
    void signalFiles();

private:
    clap_host_t host{};
    const clap_plugin_t* instance = nullptr;
    ClapHostNotes hostNotes;
    bool active = false;
    bool processing = false;
    std::uint32_t longestBlock = 0;
};
