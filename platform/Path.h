// An outline in a view's coordinates: lines and cubic curves, in one or more closed or open
// pieces. Only data: the windowing layer draws it with whatever drawing library it has.
#pragma once

#include <array>
#include <vector>

#include "Geometry.h"

namespace ui {

class Path {
public:
    enum class Verb { MoveTo, LineTo, CurveTo, Close };
    struct Element {
        Verb verb;
        std::array<Point, 3> points;  // MoveTo and LineTo use the first; CurveTo all three
    };

    void moveTo(Point to) { elements.push_back({Verb::MoveTo, {to, {}, {}}}); }
    void lineTo(Point to) { elements.push_back({Verb::LineTo, {to, {}, {}}}); }
    void curveTo(Point control1, Point control2, Point to) {
        elements.push_back({Verb::CurveTo, {control1, control2, to}});
    }
    void close() { elements.push_back({Verb::Close, {}}); }

    void addRect(Rect rect);
    // A rectangle with its corners rounded off at `radius`.
    void addRoundedRect(Rect rect, double radius);
    void addCircle(Point centre, double radius);

    const std::vector<Element>& steps() const { return elements; }
    bool isEmpty() const { return elements.empty(); }

private:
    std::vector<Element> elements;
};

}  // namespace ui
