// The in-memory desktop that every headless window system shares: its screens, our windows, the
// surfaces showing views, and the host handles a test made.
#pragma once

#include <optional>
#include <vector>

#include "Screen.h"

namespace ui::headless {

class HeadlessSurface;
class HeadlessWindow;
class HostViewHandle;

class Desktop {
public:
    static Desktop& shared();

    // Back to one 1440 by 900 main screen and 22-point title bars.
    void reset();
    // The screens, the first one first, and which of them is the main one (none: no main screen).
    void setScreens(std::vector<Screen> all, std::optional<std::size_t> mainIndex = 0);
    const std::vector<Screen>& screens() const { return allScreens; }
    std::optional<Screen> mainScreen() const;
    void setTitleBarHeight(double height) { titleBar = height; }
    double titleBarHeight() const { return titleBar; }
    // The pixels to the point the desktop asks for; none by default.
    void setDesktopScale(std::optional<double> scale) { desktopPixelsPerPoint = scale; }
    std::optional<double> desktopScale() const { return desktopPixelsPerPoint; }

    // Our own windows that exist, oldest first.
    const std::vector<HeadlessWindow*>& windows() const { return ownWindows; }
    // Runs a display cycle on every surface that is due one.
    void displayDueSurfaces();

    // The test-made handle behind a pointer a host would pass; null for anything else.
    HostViewHandle* hostViewFor(const void* handle) const;

    // Bookkeeping of the objects themselves.
    void addWindow(HeadlessWindow* window);
    void removeWindow(HeadlessWindow* window);
    void addSurface(HeadlessSurface* surface);
    void removeSurface(HeadlessSurface* surface);
    void addHandle(HostViewHandle* handle);
    void removeHandle(HostViewHandle* handle);

private:
    Desktop();

    std::vector<Screen> allScreens;
    std::optional<std::size_t> mainScreenIndex;
    double titleBar = 22.0;
    std::optional<double> desktopPixelsPerPoint;
    std::vector<HeadlessWindow*> ownWindows;
    std::vector<HeadlessSurface*> surfaces;
    std::vector<HostViewHandle*> hostViews;
};

}  // namespace ui::headless
