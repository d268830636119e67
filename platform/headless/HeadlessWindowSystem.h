// The window system of the in-memory desktop: tests make its handles (see HeadlessHandles.h),
// inject mouse events into its surfaces and read back what they show.
#pragma once

#include <memory>
#include <vector>

#include "WindowSystem.h"

namespace ui::headless {

class HeadlessWindowSystem : public WindowSystem {
public:
    std::shared_ptr<View> viewForHandle(void* handle) override;
    // Runs a display cycle on every headless surface that is due one.
    void processPendingEvents() override;
    void setScale(double pixelsPerPoint) override;
    // What the test set as the desktop's scale (Desktop::setDesktopScale).
    std::optional<double> desktopScale() override;

private:
    std::vector<std::weak_ptr<View>> handedOut;  // the host views given, to follow the scale

protected:
    std::unique_ptr<WindowBackend> makeWindowBackend(Rect contentRect) override;
};

}  // namespace ui::headless
