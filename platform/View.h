// A rectangle of the user interface: where it lies in its parent, what it draws, and what it does
// with the mouse. Views form a tree; a parent owns its children and draws under them, and among
// siblings the later one lies on top.
#pragma once

#include <memory>
#include <vector>

#include "Geometry.h"
#include "MouseEvent.h"

namespace ui {

class ViewSurface;
class Window;

class View : public std::enable_shared_from_this<View> {
public:
    // Where addSubview places a child among its siblings.
    enum class Ordering { WindowBelow = -1, WindowAbove = 1 };

    // The view at `frame`, in its future parent's coordinates.
    explicit View(Rect frame);
    virtual ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Rect frame() const { return frameRect; }
    void setFrame(Rect frame);
    // The view's own area: its frame's size at the origin.
    Rect bounds() const { return {Point{}, frameRect.size}; }

    View* superview() const { return parent; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return children; }
    // The window the tree is shown in; null when it is in none (or in a host view without one).
    Window* window() const;

    // Adds `view` above or below every other child (taking it from its old parent first).
    void addSubview(std::shared_ptr<View> view, Ordering place = Ordering::WindowAbove);
    void removeFromSuperview();

    // Marks the whole view to be drawn again at the next display cycle (or clears the mark).
    void setNeedsRedraw(bool flag);
    bool needsRedraw() const { return dirty; }

    // Turns a point in window coordinates (those of the outermost view of the tree this view is
    // shown in, as MouseEvent::locationInWindow gives them) into this view's.
    Point convertPoint(Point pointInWindow) const;

    // The deepest view under `point` (in this view's superview's coordinates), topmost first;
    // null when the point is outside this view.
    virtual View* hitTest(Point point);

    // A layer of its own: the view then draws into a surface laid over what lies beneath, so even
    // the copy operation only replaces the view's own pixels. Children of a layer-backed view get
    // layers too.
    void setDrawsInOwnLayer(bool flag);
    bool isLayerBacked() const;

    // Draws the view's content in its own coordinates; `dirtyRect` is the part that is needed.
    // Pictures drawn from here land in the view. A plain view draws nothing.
    virtual void draw(Rect dirtyRect);

    // The main button's press, drags and release. The drags and the release go to the view that
    // took the press, wherever the mouse is. A view that does not handle them passes them on to
    // its superview.
    virtual void mouseDown(const MouseEvent& event);
    virtual void mouseDragged(const MouseEvent& event);
    virtual void mouseUp(const MouseEvent& event);
    // The pointer moved over the view with no button down; it left the view (for one it moved
    // over before); the wheel turned with the pointer over it. Passed on like the others.
    virtual void mouseMoved(const MouseEvent& event);
    virtual void mouseLeft(const MouseEvent& event);
    virtual void wheelTurned(const MouseEvent& event);
    // Whether a press in an inactive window reaches the view as well as activating the window.
    virtual bool acceptsPressWhileInactive(const MouseEvent& event);

    // Told after the superview's size changed (a host's window the view is shown in was made
    // larger, say). A plain view keeps its frame.
    virtual void superviewResized(Size size);

    // Told after a child was added and before one is removed.
    virtual void didAddSubview(View& subview);
    virtual void willRemoveSubview(View& subview);

protected:
    // For views that stand for something outside the tree (a host's view): the window they are in.
    void setHostWindow(Window* window) { treeWindow = window; }

private:
    friend class ViewSurface;
    friend class Window;

    ViewSurface* surface() const;
    const View* treeRoot() const;

    Rect frameRect;
    View* parent = nullptr;
    std::vector<std::shared_ptr<View>> children;
    bool ownLayer = false;
    bool dirty = true;
    ViewSurface* shownBy = nullptr;  // set on the outermost view a surface shows
    Window* treeWindow = nullptr;    // set on the outermost view of a window or host view
};

}  // namespace ui
