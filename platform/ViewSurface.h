// A native area that shows one view tree: at each display cycle it draws the views that asked for
// it, and it hands the mouse to the view under it. Each backend derives its own kind and decides
// where the pixels go and where the mouse comes from.
#pragma once

#include <memory>
#include <vector>

#include "Canvas.h"
#include "Color.h"
#include "Geometry.h"
#include "View.h"

namespace ui {

// A rectangle of pixels, counted from the top-left corner of the surface.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

class ViewSurface {
public:
    // Shows `root`; the surface covers the root's frame, `scale` pixels to the point.
    explicit ViewSurface(std::shared_ptr<View> root, double scale = 1.0);
    virtual ~ViewSurface();
    ViewSurface(const ViewSurface&) = delete;
    ViewSurface& operator=(const ViewSurface&) = delete;

    View& root() const { return *rootView; }
    double scale() const { return pixelsPerPoint; }
    // The surface's size in pixels (the root's frame at the scale, rounded up).
    int pixelWidth() const;
    int pixelHeight() const;

    // The colour the surface shows where no view draws.
    void setBackgroundColor(Color color);

    // Whether a display cycle is due: something outside drawing asked for a redraw since the
    // last one. A view that marks itself while it is being drawn (a knob does) is drawn again at
    // the next cycle, but does not by itself start one: an untouched editor then costs nothing.
    bool isDisplayDue() const { return displayDue; }
    // Runs a display cycle on `target`, whose coordinates are this surface's pixels counted from
    // its top-left corner: every
    // marked view is drawn again, with what lies over and under it, clipped to the marked area.
    // Returns the area drawn (empty when nothing was marked).
    PixelRect display(Canvas& target);
    // Marks the whole tree, then runs a display cycle.
    PixelRect displayAll(Canvas& target);

    // The main button at `location`, in window coordinates. The press goes to the topmost view
    // under it; the drags and the release to the view that took the press.
    void mouseDown(Point location, int clickCount = 1, unsigned modifiers = ModifierNone);
    void mouseDragged(Point location, unsigned modifiers = ModifierNone);
    void mouseUp(Point location, unsigned modifiers = ModifierNone);
    // The pointer at `location` with no button down: the topmost view under it hears the move,
    // and the view it was over before, if another, that it left.
    void mouseMoved(Point location, unsigned modifiers = ModifierNone);
    // The pointer left the surface: the view it was over hears that it left.
    void mouseExited();
    // The wheel turned `notches` (positive: up) with the pointer at `location`: the topmost view
    // under it hears it.
    void wheelTurned(Point location, int notches, unsigned modifiers = ModifierNone);
    // The press can no longer end with a release (the window it happened in is gone): the view
    // that took it hears a release where the mouse last was, so a drag under way ends.
    void cancelPress();
    // Window coordinates of the centre of pixel (x, y) of the surface.
    Point locationOfPixel(double x, double y) const;

protected:
    // Whether presses reach views at once; otherwise a press only activates the window, unless
    // the view under it accepts the first mouse.
    virtual bool isInKeyWindow() const { return true; }
    virtual void activateWindow() {}
    // The root view's frame changed (the surface may need a new size).
    virtual void rootFrameChanged() {}

private:
    friend class View;
    void viewNeedsDisplay();
    Rect takeMarkedArea();

    std::shared_ptr<View> rootView;
    double pixelsPerPoint;
    Color background = Color::blackColor();
    bool displayDue = true;
    bool drawing = false;
    std::weak_ptr<View> pressedView;
    std::weak_ptr<View> hoveredView;
    Point lastMouseLocation;
};

}  // namespace ui
