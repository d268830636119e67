// The editor's background: one picture over the whole view, replacing whatever lies beneath.
#pragma once

#include <memory>

#include "Image.h"
#include "View.h"

class BackgroundView : public ui::View {
public:
    BackgroundView(std::shared_ptr<ui::Image> image, ui::Rect rect);

    void drawRect(ui::Rect dirtyRect) override;
    void awakeFromNib() {}

    const std::shared_ptr<ui::Image>& BackgroundImage() const { return _backgroundImage; }

private:
    std::shared_ptr<ui::Image> _backgroundImage;
};
