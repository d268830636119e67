// The compositing layer of a view that asked for one: the view draws into a surface of its own,
// which is laid over what lies beneath, after the layer's background colour with rounded corners.
// The corners only shape the background; they do not clip what the view draws.
#pragma once

#include "Color.h"

namespace ui {

class Layer {
public:
    void setBackgroundColor(Color color) { background = color; }
    Color backgroundColor() const { return background; }
    void setCornerRadius(double radius) { corners = radius; }
    double cornerRadius() const { return corners; }

private:
    Color background = Color::transparent();
    double corners = 0.0;
};

}  // namespace ui
