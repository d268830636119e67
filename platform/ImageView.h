// A view that shows one shownImage, scaled into its bounds and blended over what lies beneath.
#pragma once

#include <memory>

#include "Image.h"
#include "View.h"

namespace ui {

class ImageView : public View {
public:
    explicit ImageView(Rect frame) : View(frame) {}

    void setImage(std::shared_ptr<Image> shownImage);
    const std::shared_ptr<Image>& image() const { return shownImage; }

    void draw(Rect dirtyRect) override;
    // The image view's own press handling. Subclasses that react to presses run it first. A
    // shownImage that cannot be edited has nothing to do with a press, and the press stops here.
    void mouseDown(const MouseEvent& event) override;

private:
    std::shared_ptr<Image> shownImage;
};

}  // namespace ui
