// The gui, timer-support and posix-fd-support extensions over one ClapEditor per instance, made
// at create and gone at destroy. Only embedding in the host's window is offered: the editor has
// no window of its own to float.
#include <cstring>

#include "ClapAssembly.h"
#include "ClapEditor.h"
#include "EditorLayout.h"

namespace {

ClapEditor* editorOf(const clap_plugin_t* plugin) {
    return static_cast<ClapEditor*>(ClapDelay::of(plugin).editorSlot().get());
}

bool apiSupported(const clap_plugin_t*, const char* api, bool floating) {
    return !floating && api != nullptr && std::strcmp(api, clapWindowing().api) == 0;
}

bool preferredApi(const clap_plugin_t*, const char** api, bool* floating) {
    if (api != nullptr) *api = clapWindowing().api;
    if (floating != nullptr) *floating = false;
    return true;
}

bool create(const clap_plugin_t* plugin, const char* api, bool floating) {
    if (!apiSupported(plugin, api, floating)) return false;
    ClapDelay& delay = ClapDelay::of(plugin);
    delay.editorSlot().reset();
    delay.editorSlot() = std::make_unique<ClapEditor>(delay, clapWindowing());
    return true;
}

void destroy(const clap_plugin_t* plugin) { ClapDelay::of(plugin).editorSlot().reset(); }

bool setScale(const clap_plugin_t* plugin, double scale) {
    ClapEditor* editor = editorOf(plugin);
    return editor != nullptr && editor->takeHostScale(scale);
}

bool getSize(const clap_plugin_t* plugin, std::uint32_t* width, std::uint32_t* height) {
    ClapEditor* editor = editorOf(plugin);
    if (editor == nullptr || width == nullptr || height == nullptr) return false;
    std::tie(*width, *height) = editor->pixelSize();
    return true;
}

// The editor's size is fixed: any size asked for becomes it.
bool adjustSize(const clap_plugin_t* plugin, std::uint32_t* width, std::uint32_t* height) {
    return getSize(plugin, width, height);
}

bool setSize(const clap_plugin_t* plugin, std::uint32_t width, std::uint32_t height) {
    ClapEditor* editor = editorOf(plugin);
    return editor != nullptr && editor->pixelSize() == std::pair{width, height};
}

bool setParent(const clap_plugin_t* plugin, const clap_window_t* window) {
    ClapEditor* editor = editorOf(plugin);
    if (editor == nullptr || window == nullptr || window->api == nullptr ||
        std::strcmp(window->api, clapWindowing().api) != 0) {
        return false;
    }
    return editor->showIn(clapWindowing().handleOf(*window));
}

constexpr clap_plugin_gui_t kGui{
    apiSupported,
    preferredApi,
    create,
    destroy,
    setScale,
    getSize,
    [](const clap_plugin_t*) { return false; },
    [](const clap_plugin_t*, clap_gui_resize_hints_t* hints) {
        if (hints == nullptr) return false;
        *hints = clap_gui_resize_hints_t{false, false, true, layout::viewWidth, layout::viewHeight};
        return true;
    },
    adjustSize,
    setSize,
    setParent,
    [](const clap_plugin_t*, const clap_window_t*) { return false; },
    [](const clap_plugin_t*, const char*) {},
    [](const clap_plugin_t* plugin) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && editor->show();
    },
    [](const clap_plugin_t* plugin) {
        ClapEditor* editor = editorOf(plugin);
        return editor != nullptr && editor->hide();
    },
};

constexpr clap_plugin_timer_support_t kTimerSupport{[](const clap_plugin_t* plugin, clap_id) {
    if (ClapEditor* editor = editorOf(plugin)) editor->idle();
}};

constexpr clap_plugin_posix_fd_support_t kPosixFdSupport{
    [](const clap_plugin_t* plugin, int, std::uint32_t) {
        if (ClapEditor* editor = editorOf(plugin)) editor->connectionReady();
    }};

}  // namespace

ClapEditorExtensions clapEditorExtensions() { return {&kGui, &kTimerSupport, &kPosixFdSupport}; }
