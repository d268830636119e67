// What keeps the editor going between the host's calls: a timer on the host's UI thread, and a
// wake-up when the display has events. VST 3 has no idle call: on Linux the host's run loop
// serves both, on Windows a timer of the window system.
#pragma once

#include <functional>
#include <memory>

#include "Vst3View.h"

namespace ui {
class View;
}

class EditorPump {
public:
    virtual ~EditorPump() = default;
};

// How often the editor delivers the host's changes and draws: 50 times a second.
inline constexpr unsigned kEditorPumpMilliseconds = 20;

// Calls `pump` on the host's UI thread every kEditorPumpMilliseconds and whenever the display
// connection behind `hostView` has something to read, until the pump goes. `frame` is the host's
// frame around the view; null when nothing could be set up.
using EditorPumpFactory = std::unique_ptr<EditorPump> (*)(vst3::IPlugFrame* frame,
                                                          const ui::View& hostView,
                                                          std::function<void()> pump);
