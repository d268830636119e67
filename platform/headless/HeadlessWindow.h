// A window of our own in memory: it shows its content view on a headless surface, and a test can
// click its close button.
#pragma once

#include <memory>

#include "WindowBackend.h"
#include "headless/HeadlessSurface.h"

namespace ui::headless {

class HeadlessWindow : public WindowBackend {
public:
    explicit HeadlessWindow(Rect contentRect);
    ~HeadlessWindow() override;

    Rect frame() const override { return content; }
    View* contentView() const override { return contentRoot.get(); }
    void setContentView(std::shared_ptr<View> view) override;
    void show() override;
    void close() override;

    // The surface showing the content view; null without one.
    HeadlessSurface* surface() const { return shown.get(); }
    // The user clicks the window's close button.
    void clickCloseButton();

private:
    Rect content;
    std::shared_ptr<View> contentRoot;
    std::unique_ptr<HeadlessSurface> shown;
};

}  // namespace ui::headless
