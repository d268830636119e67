// The colours of the product's face: a dark graphite panel, warm amber for everything that
// shows a value or a state, cool grey for lettering. The pictures are painted in them and the
// editor letters and draws in them at run time, so the two always match.
#pragma once

struct Colour {
    double r;
    double g;
    double b;
    double a = 1.0;

    constexpr Colour withAlpha(double alpha) const { return {r, g, b, alpha}; }
};

constexpr Colour rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0, 1.0}; }

namespace palette {
constexpr Colour panelTop = rgb(48, 52, 60);
constexpr Colour panelBottom = rgb(27, 29, 34);
constexpr Colour accent = rgb(255, 166, 64);
constexpr Colour accentDeep = rgb(232, 112, 28);
constexpr Colour secondAccent = rgb(86, 208, 222);
constexpr Colour lettering = rgb(206, 211, 219);
constexpr Colour letteringDim = rgb(132, 139, 150);
constexpr Colour black = rgb(0, 0, 0);
constexpr Colour white = rgb(255, 255, 255);
// The glass of the display in the header, top and bottom.
constexpr Colour glassTop = rgb(8, 10, 12);
constexpr Colour glassBottom = rgb(17, 20, 25);
}  // namespace palette
