// The two-state switch: it shows one picture while off and another while on, and flips at each
// press, telling the delegate once the new state is stored.
#pragma once

#include <cstdint>
#include <memory>

#include "ControlListener.h"
#include "Image.h"
#include "ImageView.h"

class LoopSwitch : public ui::ImageView {
public:
    // Starts off (state 0); `imageOne` is shown while off, `imageTwo` while on.
    LoopSwitch(ui::Rect frame, std::shared_ptr<ui::Image> imageOne,
               std::shared_ptr<ui::Image> imageTwo);

    // 0 off, anything else on.
    int imageState() const { return _imageState; }
    // Stores the state and nothing else: whoever sets it asks for the redraw.
    void setImageState(std::int8_t state) { _imageState = state; }
    ControlListener* delegate() const { return _delegate; }
    void setDelegate(ControlListener* receiver) { _delegate = receiver; }

    void mouseDown(const ui::MouseEvent& event) override;
    // Blends the picture of the state over what lies beneath.
    void drawRect(ui::Rect dirtyRect) override;

    const std::shared_ptr<ui::Image>& state1Image() const { return _state1Image; }
    const std::shared_ptr<ui::Image>& state2Image() const { return _state2Image; }

private:
    ControlListener* _delegate = nullptr;
    std::shared_ptr<ui::Image> _state1Image;
    std::shared_ptr<ui::Image> _state2Image;
    std::int8_t _imageState = 0;
};
