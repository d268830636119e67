// A host's window (the HWND a Windows host hands to the editor) seen as a view: each view added
// to it becomes a child window of ours inside it, at its top-left corner.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "View.h"
#include "Window.h"
#include "win32/Win32Surface.h"

namespace ui::win32 {

class Win32HostView : public View {
public:
    // The host's window, `pixels` large, shown at `scale` pixels to the point.
    Win32HostView(HWND hostWindow, Size pixels, double scale);
    ~Win32HostView() override;

    HWND hostWindow() const { return host; }
    double scale() const { return pixelsPerPoint; }
    // The view's size follows the new scale at once; views added from now on are shown at it.
    void setScale(double scale);
    // Whether the host has destroyed its window.
    bool isGone() const { return IsWindow(host) == FALSE; }
    // The surface showing `subview`, a direct child; null for any other view.
    Win32Surface* surfaceOf(const View& subview) const;
    // Draws what is due in every surface.
    void displayDueSurfaces();

    void didAddSubview(View& subview) override;
    void willRemoveSubview(View& subview) override;

private:
    HWND host;
    std::shared_ptr<Window> hostWindowObject;
    std::map<const View*, std::unique_ptr<Win32Surface>> surfaces;
    Size pixelSize;
    double pixelsPerPoint;
};

}  // namespace ui::win32
