// The in-memory desktop that every headless window system shares: our windows, the surfaces
// showing views, and the host handles a test made.
#pragma once

#include <optional>
#include <vector>

namespace ui::headless {

class HeadlessSurface;
class HeadlessWindow;
class HostViewHandle;

class Desktop {
public:
    static Desktop& shared();

    // Back to a desktop that asks for no scale.
    void reset();
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

    std::optional<double> desktopPixelsPerPoint;
    std::vector<HeadlessWindow*> ownWindows;
    std::vector<HeadlessSurface*> surfaces;
    std::vector<HostViewHandle*> hostViews;
};

}  // namespace ui::headless
