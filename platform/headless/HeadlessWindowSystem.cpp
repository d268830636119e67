#include "headless/HeadlessWindowSystem.h"

#include "headless/HeadlessDesktop.h"
#include "headless/HeadlessHandles.h"
#include "headless/HeadlessWindow.h"

namespace ui::headless {

std::shared_ptr<View> HeadlessWindowSystem::viewForHandle(void* handle) {
    HostViewHandle* host = Desktop::shared().hostViewFor(handle);
    if (host == nullptr) return nullptr;
    std::shared_ptr<View> view = host->view();
    if (auto* hostView = dynamic_cast<HeadlessHostView*>(view.get())) hostView->setScale(scale());
    // Each host view once, and none that is gone: an editor reopened many times asks again.
    std::erase_if(handedOut, [&view](const std::weak_ptr<View>& handed) {
        const auto kept = handed.lock();
        return !kept || kept == view;
    });
    handedOut.push_back(view);
    return view;
}

void HeadlessWindowSystem::setScale(double pixelsPerPoint) {
    WindowSystem::setScale(pixelsPerPoint);
    for (const auto& handed : handedOut) {
        if (auto* hostView = dynamic_cast<HeadlessHostView*>(handed.lock().get())) {
            hostView->setScale(pixelsPerPoint);
        }
    }
}

std::optional<double> HeadlessWindowSystem::desktopScale() {
    return Desktop::shared().desktopScale();
}

void HeadlessWindowSystem::processPendingEvents() { Desktop::shared().displayDueSurfaces(); }

std::unique_ptr<WindowBackend> HeadlessWindowSystem::makeWindowBackend(Rect contentRect) {
    return std::make_unique<HeadlessWindow>(contentRect);
}

}  // namespace ui::headless
