#include "ViewSurface.h"

#include <cmath>

#include "ViewPainter.h"

namespace ui {

namespace {

// Marks collected from `view` and everything in it, in the coordinates of `view`'s superview.
Rect collectMarks(View& view) {
    Rect area;
    const Rect frame = view.frame();
    if (view.needsRedraw()) {
        area = frame;
        view.setNeedsRedraw(false);
    }
    for (const auto& child : view.subviews()) {
        area = area.unionWith(collectMarks(*child).offsetBy(frame.minX(), frame.minY()));
    }
    return area;
}

}  // namespace

ViewSurface::ViewSurface(std::shared_ptr<View> root, double scale)
    : rootView(std::move(root)), pixelsPerPoint(scale > 0.0 ? scale : 1.0) {
    rootView->shownBy = this;
}

ViewSurface::~ViewSurface() {
    if (rootView->shownBy == this) rootView->shownBy = nullptr;
}

int ViewSurface::pixelWidth() const {
    return static_cast<int>(std::ceil(rootView->frame().size.width * pixelsPerPoint));
}

int ViewSurface::pixelHeight() const {
    return static_cast<int>(std::ceil(rootView->frame().size.height * pixelsPerPoint));
}

void ViewSurface::setBackgroundColor(Color color) {
    background = color;
    rootView->setNeedsRedraw(true);
}

void ViewSurface::viewNeedsDisplay() {
    if (!drawing) displayDue = true;
}

Rect ViewSurface::takeMarkedArea() {
    return collectMarks(*rootView).intersection(rootView->frame());
}

PixelRect ViewSurface::display(Canvas& target) {
    displayDue = false;
    const Rect marked = takeMarkedArea();
    if (marked.isEmpty()) return {};

    // Widen the area to whole pixels, so that nothing half-drawn is left at its edges.
    const Rect frame = rootView->frame();
    const double s = pixelsPerPoint;
    const double left = std::floor((marked.minX() - frame.minX()) * s);
    const double right = std::ceil((marked.maxX() - frame.minX()) * s);
    const double top = std::floor((frame.maxY() - marked.maxY()) * s);
    const double bottom = std::ceil((frame.maxY() - marked.minY()) * s);
    const PixelRect pixels{static_cast<int>(left), static_cast<int>(top),
                           static_cast<int>(right - left), static_cast<int>(bottom - top)};
    const Rect area{frame.minX() + left / s, frame.maxY() - bottom / s, (right - left) / s,
                    (bottom - top) / s};

    drawing = true;
    target.save();
    const Rect pixelArea{left, top, right - left, bottom - top};
    target.clipToRect(pixelArea);
    target.fillRect(pixelArea, background, CompositingOperation::Copy);
    // Window coordinates grow upward from the root's bottom-left corner; pixels grow downward.
    target.translate(-frame.minX() * s, frame.maxY() * s);
    target.scale(s, -s);
    paintView(target, *rootView, area);
    target.restore();
    drawing = false;
    return pixels;
}

PixelRect ViewSurface::displayAll(Canvas& target) {
    rootView->setNeedsRedraw(true);
    return display(target);
}

Point ViewSurface::locationOfPixel(double x, double y) const {
    const Rect frame = rootView->frame();
    return {frame.minX() + (x + 0.5) / pixelsPerPoint, frame.maxY() - (y + 0.5) / pixelsPerPoint};
}

void ViewSurface::mouseDown(Point location, int clickCount, unsigned modifiers) {
    const MouseEvent event(MouseEvent::Type::Down, location, clickCount, modifiers);
    View* hit = rootView->hitTest(location);
    if (hit == nullptr) return;
    if (!isInKeyWindow()) {
        activateWindow();
        if (!hit->acceptsPressWhileInactive(event)) return;
    }
    pressedView = hit->weak_from_this();
    lastMouseLocation = location;
    hit->mouseDown(event);
}

void ViewSurface::mouseDragged(Point location, unsigned modifiers) {
    if (auto view = pressedView.lock()) {
        lastMouseLocation = location;
        view->mouseDragged(MouseEvent(MouseEvent::Type::Dragged, location, 1, modifiers));
    }
}

void ViewSurface::mouseUp(Point location, unsigned modifiers) {
    if (auto view = pressedView.lock()) {
        pressedView.reset();
        view->mouseUp(MouseEvent(MouseEvent::Type::Up, location, 1, modifiers));
    }
}

void ViewSurface::mouseMoved(Point location, unsigned modifiers) {
    const MouseEvent moved(MouseEvent::Type::Moved, location, 1, modifiers);
    lastMouseLocation = location;
    View* hit = rootView->hitTest(location);
    const auto before = hoveredView.lock();
    if (before && before.get() != hit) {
        hoveredView.reset();
        before->mouseLeft(MouseEvent(MouseEvent::Type::Left, location, 1, modifiers));
    }
    if (hit == nullptr) return;
    hoveredView = hit->weak_from_this();
    hit->mouseMoved(moved);
}

void ViewSurface::mouseExited() {
    if (const auto before = hoveredView.lock()) {
        hoveredView.reset();
        before->mouseLeft(MouseEvent(MouseEvent::Type::Left, lastMouseLocation));
    }
}

void ViewSurface::wheelTurned(Point location, int notches, unsigned modifiers) {
    if (notches == 0) return;
    if (View* hit = rootView->hitTest(location)) {
        hit->wheelTurned(MouseEvent(MouseEvent::Type::Wheel, location, 1, modifiers, notches));
    }
}

void ViewSurface::cancelPress() {
    if (!pressedView.expired()) mouseUp(lastMouseLocation);
}

}  // namespace ui
