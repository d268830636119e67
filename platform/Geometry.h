// Points, sizes and rectangles of the windowing layer, in points. Every view measures from its
// bottom-left corner with y growing upward.
#pragma once

#include <algorithm>

namespace ui {

struct Point {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    double width = 0.0;
    double height = 0.0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    Point origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(double x, double y, double width, double height)
        : origin{x, y}, size{width, height} {}
    constexpr Rect(Point at, Size extent) : origin(at), size(extent) {}

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    bool isEmpty() const { return !(size.width > 0.0) || !(size.height > 0.0); }

    // A point on the left or bottom edge is inside, one on the right or top edge is not, so two
    // rectangles that touch never both claim a point.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }

    Rect intersection(const Rect& other) const {
        const double left = std::max(minX(), other.minX());
        const double bottom = std::max(minY(), other.minY());
        const double right = std::min(maxX(), other.maxX());
        const double top = std::min(maxY(), other.maxY());
        if (right <= left || top <= bottom) return {};
        return {left, bottom, right - left, top - bottom};
    }

    Rect unionWith(const Rect& other) const {
        if (isEmpty()) return other;
        if (other.isEmpty()) return *this;
        const double left = std::min(minX(), other.minX());
        const double bottom = std::min(minY(), other.minY());
        const double right = std::max(maxX(), other.maxX());
        const double top = std::max(maxY(), other.maxY());
        return {left, bottom, right - left, top - bottom};
    }

    Rect offsetBy(double dx, double dy) const {
        return {origin.x + dx, origin.y + dy, size.width, size.height};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace ui
