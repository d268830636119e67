// The windowing services of one backend: its main screen, the views a host hands over, our own
// windows, and the event loop. One per editor: each has its own connection to the display.
#pragma once

#include <memory>
#include <optional>

#include "Geometry.h"
#include "Screen.h"
#include "WindowBackend.h"

namespace ui {

class View;
class Window;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // The screen windows of our own open on; nothing when there is no screen (or the backend
    // does not tell).
    virtual std::optional<Screen> mainScreen() { return std::nullopt; }

    // The host's view behind `handle`, into which our views can be added with addSubview; null
    // when the handle is null or not a view. Asking twice for one handle gives the same view,
    // kept for as long as the host's view exists. Its window() is the host's window, if any.
    virtual std::shared_ptr<View> viewForHandle(void* handle) = 0;

    // Handles, without waiting, what has happened since the last call: input, exposure, and a
    // display cycle for whatever asked to be drawn. Call it often from the thread that shows the
    // views (a host's editor idle); it does nothing when nothing is shown.
    virtual void processPendingEvents() = 0;

    // Pixels to the point for what is shown from now on in the host's views: views and their
    // mouse stay in points, and only the backend counts pixels. A host view asked for earlier
    // takes the new scale for its size, and for the views added to it afterwards.
    virtual void setScale(double pixelsPerPoint) { scaleFactor = pixelsPerPoint; }
    double scale() const { return scaleFactor; }
    // The pixels to the point the desktop asks for (an X desktop's Xft.dpi over 96); nothing when
    // it says nothing.
    virtual std::optional<double> desktopScale() { return std::nullopt; }
    // The pixels to the point the desktop asks for where the host's `handle` is shown (a monitor
    // may have a density of its own); by default the desktop's.
    virtual std::optional<double> desktopScaleAt(void* /*handle*/) { return desktopScale(); }

protected:
    double scaleFactor = 1.0;

    friend class Window;
    // The native part of a window of our own (see Window's constructor).
    virtual std::unique_ptr<WindowBackend> makeWindowBackend(Rect contentRect) = 0;
};

// Makes the window system of one backend: the plug-in's assembly names X11, tests the headless
// one. The editor calls it at its first open, on the thread that shows the views.
using WindowSystemFactory = std::unique_ptr<WindowSystem> (*)();

}  // namespace ui
