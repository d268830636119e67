// The LV2 editor's entry: lv2ui_descriptor hands out one X11 UI descriptor. The features a host
// offers are read at instantiation; the idle and show interfaces are handed out on request.
#include <lv2/ui/ui.h>

#include <cstring>

#include "HostOptions.h"
#include "Lv2Editor.h"
#include "Lv2Identity.h"

namespace {

Lv2Editor* editorOf(LV2UI_Handle handle) { return static_cast<Lv2Editor*>(handle); }

const void* feature(const LV2_Feature* const* features, const char* uri) {
    for (auto* f = features; f != nullptr && *f != nullptr; ++f) {
        if (std::strcmp((*f)->URI, uri) == 0) return (*f)->data;
    }
    return nullptr;
}

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller controller,
                         LV2UI_Widget* widget, const LV2_Feature* const* features) {
    if (pluginUri == nullptr || std::strcmp(pluginUri, lv2id::kPluginUri) != 0) return nullptr;
    const auto* touch = static_cast<const LV2UI_Touch*>(feature(features, LV2_UI__touch));
    const auto* resize = static_cast<const LV2UI_Resize*>(feature(features, LV2_UI__resize));
    void* parent = const_cast<void*>(feature(features, LV2_UI__parent));
    // No exception may cross into the host: a UI that cannot be made is no UI.
    try {
        const HostOptions options = readHostOptions(features);
        auto* editor = new Lv2Editor(PortEditorHost(write, controller, touch, options.sampleRate),
                                     parent, resize, options.scaleFactor);
        if (!editor->isShown()) {
            delete editor;
            return nullptr;
        }
        if (widget != nullptr) *widget = editor->widget();
        return editor;
    } catch (...) {
        return nullptr;
    }
}

void cleanup(LV2UI_Handle handle) { delete editorOf(handle); }

void portEvent(LV2UI_Handle handle, std::uint32_t port, std::uint32_t size, std::uint32_t format,
               const void* buffer) {
    editorOf(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) { return editorOf(handle)->idle(); }
int show(LV2UI_Handle handle) { return editorOf(handle)->show(); }
int hide(LV2UI_Handle handle) { return editorOf(handle)->hide(); }

const LV2UI_Idle_Interface kIdle = {idle};
const LV2UI_Show_Interface kShow = {show, hide};

const void* extensionData(const char* uri) {
    if (uri == nullptr) return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &kIdle;
    if (std::strcmp(uri, LV2_UI__showInterface) == 0) return &kShow;
    return nullptr;
}

const LV2UI_Descriptor kDescriptor = {lv2id::kUiUri, instantiate, cleanup, portEvent,
                                      extensionData};

}  // namespace

// (The macro declares the entry extern "C" and visible.)
LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(std::uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
