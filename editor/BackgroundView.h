// The editor's background: one picture over the whole view, replacing whatever lies beneath.
#pragma once

#include <memory>

#include "Image.h"
#include "View.h"

class BackgroundView : public ui::View {
public:
    BackgroundView(std::shared_ptr<ui::Image> picture, ui::Rect frame);

    void draw(ui::Rect dirtyRect) override;

private:
    std::shared_ptr<ui::Image> picture;
};
