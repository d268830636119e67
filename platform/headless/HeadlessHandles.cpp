#include "headless/HeadlessHandles.h"

#include <algorithm>

#include "headless/HeadlessDesktop.h"

namespace ui::headless {

HeadlessSurface* HeadlessHostView::surfaceOf(const View& subview) const {
    const auto it = surfaces.find(&subview);
    return it == surfaces.end() ? nullptr : it->second.get();
}

void HeadlessHostView::didAddSubview(View& subview) {
    auto shown = std::make_unique<HeadlessSurface>(subview.shared_from_this(), scale);
    shown->setBackgroundColor(Color::blackColor());
    surfaces[&subview] = std::move(shown);
}

void HeadlessHostView::willRemoveSubview(View& subview) { surfaces.erase(&subview); }

HostWindow::HostWindow(Rect frame, std::optional<double> contentHeight) : outer(frame) {
    if (contentHeight) {
        content = std::make_shared<View>(Rect{0.0, 0.0, frame.size.width, *contentHeight});
    }
}

void HostWindow::setFrame(Rect frame) {
    // The content view keeps filling the window below its title bar.
    if (content) {
        const double titleBar = outer.size.height - content->frame().size.height;
        content->setFrame({0.0, 0.0, frame.size.width, frame.size.height - titleBar});
    }
    outer = frame;
    ++changes;
}

HostViewHandle::HostViewHandle(Size viewSize)
    : hostView(std::make_shared<HeadlessHostView>(viewSize)) {
    Desktop::shared().addHandle(this);
}

HostViewHandle::HostViewHandle(Size viewSize, Rect windowFrame, std::optional<double> contentHeight)
    : hostView(std::make_shared<HeadlessHostView>(viewSize)),
      hostWindow(
          std::make_shared<Window>(std::make_unique<HostWindow>(windowFrame, contentHeight))) {
    hostView->attachToWindow(hostWindow.get());
    Desktop::shared().addHandle(this);
}

HostViewHandle::~HostViewHandle() {
    Desktop::shared().removeHandle(this);
    hostView->attachToWindow(nullptr);
}

HostWindow* HostViewHandle::windowRecord() const {
    return hostWindow ? static_cast<HostWindow*>(&hostWindow->backend()) : nullptr;
}

}  // namespace ui::headless
