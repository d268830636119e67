// What a test host hands to an editor in place of a real handle: a host view, in a host window or
// in none. The pointer from handle() is what the host passes.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "View.h"
#include "Window.h"
#include "WindowBackend.h"
#include "headless/HeadlessSurface.h"

namespace ui::headless {

// The host's view: each view added to it is shown on a surface of its own.
class HeadlessHostView : public View {
public:
    explicit HeadlessHostView(Size size) : View(Rect{Point{}, size}) {}

    // The surface showing `subview`, a direct child; null for any other view.
    HeadlessSurface* surfaceOf(const View& subview) const;
    void attachToWindow(Window* window) { setHostWindow(window); }
    // Pixels to the point of the surfaces of views added from now on.
    void setScale(double pixelsPerPoint) { scale = pixelsPerPoint; }

    void didAddSubview(View& subview) override;
    void willRemoveSubview(View& subview) override;

private:
    std::map<const View*, std::unique_ptr<HeadlessSurface>> surfaces;
    double scale = 1.0;
};

// The host's window around a host view: it only remembers what is asked of it.
class HostWindow : public WindowBackend {
public:
    HostWindow(Rect frame, std::optional<double> contentHeight);

    Rect frame() const override { return outer; }
    void setFrame(Rect frame) override;
    View* contentView() const override { return content.get(); }

    int frameChanges() const { return changes; }

private:
    Rect outer;
    std::shared_ptr<View> content;
    int changes = 0;
};

class HostViewHandle {
public:
    // A host view of `viewSize` that is in no window.
    explicit HostViewHandle(Size viewSize);
    // A host view of `viewSize` in a host window at `windowFrame` whose content view is
    // `contentHeight` high (nothing: the window has no content view).
    HostViewHandle(Size viewSize, Rect windowFrame, std::optional<double> contentHeight);
    ~HostViewHandle();
    HostViewHandle(const HostViewHandle&) = delete;
    HostViewHandle& operator=(const HostViewHandle&) = delete;

    void* handle() { return this; }
    const std::shared_ptr<HeadlessHostView>& view() const { return hostView; }
    // The host's window; null for a view in none.
    Window* window() const { return hostWindow.get(); }
    HostWindow* windowRecord() const;

private:
    std::shared_ptr<HeadlessHostView> hostView;
    std::shared_ptr<Window> hostWindow;
};

}  // namespace ui::headless
