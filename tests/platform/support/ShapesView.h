// A view that draws one of each shape a canvas offers, side by side on a grey ground, and a hole
// cleared through it, with points to look at: well inside each shape, and inside a shape's
// bounding box but outside the shape.
#pragma once

#include <array>

#include "CurrentCanvas.h"
#include "View.h"

class ShapesView : public ui::View {
public:
    static constexpr ui::Color kGround{0.5, 0.5, 0.5, 1.0};
    static constexpr ui::Color kRectangle{1.0, 0.0, 0.0, 1.0};
    static constexpr ui::Color kEllipse{0.0, 1.0, 0.0, 1.0};
    static constexpr ui::Color kPolygon{0.0, 0.0, 1.0, 1.0};
    static constexpr ui::Color kLine{1.0, 1.0, 1.0, 1.0};

    struct Sample {
        ui::Point at;
        ui::Color expected;
    };
    static constexpr std::array kSamples{
        Sample{{10, 10}, kRectangle},
        Sample{{30, 10}, kEllipse},
        Sample{{23, 3}, kGround},  // the ellipse's corner
        Sample{{50, 6}, kPolygon},
        Sample{{44, 16}, kGround},  // beside the triangle
        Sample{{16, 30}, kLine},
        Sample{{16, 34}, kGround},  // beside the line
        Sample{{30.5, 35}, kLine},  // on the line after its bend
        Sample{{45, 30}, ui::Color::transparent()},
    };

    ShapesView() : View(ui::Rect{0, 0, 60, 40}) {}

    void draw(ui::Rect /*dirtyRect*/) override {
        ui::Canvas* canvas = ui::currentCanvas();
        if (canvas == nullptr) return;
        canvas->fillRect(bounds(), kGround);
        canvas->fillRect({2, 2, 16, 16}, kRectangle);
        canvas->fillEllipse({22, 2, 16, 16}, kEllipse);
        const ui::Point triangle[] = {{42, 2}, {58, 2}, {50, 18}};
        canvas->fillPolygon(triangle, kPolygon);
        const ui::Point line[] = {{2, 30}, {30, 30}, {30, 38}};
        canvas->strokePolyline(line, 4.0, kLine);
        canvas->fillRect({40, 25, 10, 10}, ui::Color::transparent(),
                         ui::CompositingOperation::Copy);
    }
};
