#include "Path.h"

#include <algorithm>

namespace ui {

namespace {

// How far a cubic curve's handles reach along the tangents to follow a quarter circle.
constexpr double kQuarterCircle = 0.5522847498307936;

}  // namespace

void Path::addRect(Rect rect) {
    moveTo({rect.minX(), rect.minY()});
    lineTo({rect.maxX(), rect.minY()});
    lineTo({rect.maxX(), rect.maxY()});
    lineTo({rect.minX(), rect.maxY()});
    close();
}

void Path::addRoundedRect(Rect rect, double radius) {
    const double r = std::clamp(radius, 0.0, std::min(rect.size.width, rect.size.height) / 2.0);
    const double k = r * kQuarterCircle;
    const double left = rect.minX(), right = rect.maxX();
    const double bottom = rect.minY(), top = rect.maxY();
    moveTo({left + r, bottom});
    lineTo({right - r, bottom});
    curveTo({right - r + k, bottom}, {right, bottom + r - k}, {right, bottom + r});
    lineTo({right, top - r});
    curveTo({right, top - r + k}, {right - r + k, top}, {right - r, top});
    lineTo({left + r, top});
    curveTo({left + r - k, top}, {left, top - r + k}, {left, top - r});
    lineTo({left, bottom + r});
    curveTo({left, bottom + r - k}, {left + r - k, bottom}, {left + r, bottom});
    close();
}

void Path::addCircle(Point centre, double radius) {
    const double k = radius * kQuarterCircle;
    const double x = centre.x, y = centre.y;
    moveTo({x + radius, y});
    curveTo({x + radius, y + k}, {x + k, y + radius}, {x, y + radius});
    curveTo({x - k, y + radius}, {x - radius, y + k}, {x - radius, y});
    curveTo({x - radius, y - k}, {x - k, y - radius}, {x, y - radius});
    curveTo({x + k, y - radius}, {x + radius, y - k}, {x + radius, y});
    close();
}

}  // namespace ui
