// A colour with straight (not premultiplied) components from 0 to 1.
#pragma once

namespace ui {

struct Color {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
    double alpha = 0.0;

    static constexpr Color transparent() { return {0.0, 0.0, 0.0, 0.0}; }
    static constexpr Color blackColor() { return {0.0, 0.0, 0.0, 1.0}; }
    static constexpr Color whiteColor() { return {1.0, 1.0, 1.0, 1.0}; }

    friend bool operator==(const Color&, const Color&) = default;
};

}  // namespace ui
