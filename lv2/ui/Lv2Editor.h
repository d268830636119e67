// One LV2 UI instance: the editor's main view over the plug-in's ports, shown either as a child
// window of the host's window (the widget the host embeds) or, for a host that asks through the
// show interface, in a window of its own. Everything runs on the host's UI thread; the host's
// idle calls pump input and drawing, as the VST 2 editor's idle does.
#pragma once

#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>
#include <optional>

#include "PortEditorHost.h"
#include "WindowSystem.h"

namespace ui {
class View;
class Window;
}  // namespace ui
class EditorView;
class PanelSurround;

class Lv2Editor {
public:
    // `parent`: the host's X window to show the view in, or null. `resize` may be null.
    // `hostScale`: the pixels to the point the host asks for, if it says (see EditorScale.h).
    Lv2Editor(PortEditorHost host, void* parent, const LV2UI_Resize* resize,
              std::optional<double> hostScale);
    ~Lv2Editor();
    Lv2Editor(const Lv2Editor&) = delete;
    Lv2Editor& operator=(const Lv2Editor&) = delete;

    // Whether the view could be shown where the host asked (always, without a parent).
    bool isShown() const { return parentView == nullptr || widgetId != 0; }
    // The child window in the host's window, as the host's widget; null without a parent.
    LV2UI_Widget widget() const;

    // A control port's value from the host: its control moves, and nothing is sent back.
    void portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                   const void* buffer);
    // 0 while the editor is open, 1 once the user closed its own window.
    int idle();
    // The window of its own (no effect when shown in the host's window).
    int show();
    int hide();

private:
    PortEditorHost host;
    std::unique_ptr<ui::WindowSystem> system;
    std::shared_ptr<EditorView> view;
    std::shared_ptr<ui::View> parentView;
    std::shared_ptr<PanelSurround> surround;  // around the view in the host's window
    std::uintptr_t widgetId = 0;
    std::shared_ptr<ui::Window> ownWindow;
};
