#include "View.h"

#include <algorithm>

#include "ViewSurface.h"

namespace ui {

View::View(Rect frame) : frameRect(frame) {}

View::~View() {
    for (auto& child : children) child->parent = nullptr;
}

void View::setFrame(Rect frame) {
    const bool resized = frame.size != frameRect.size;
    frameRect = frame;
    if (shownBy != nullptr) shownBy->rootFrameChanged();
    // The area the view leaves must be drawn again as well as the one it takes.
    if (parent != nullptr) {
        parent->setNeedsRedraw(true);
    } else {
        setNeedsRedraw(true);
    }
    if (resized) {
        // A copy: a child may rearrange its siblings as it follows.
        const auto inside = children;
        for (const auto& child : inside) child->superviewResized(frame.size);
    }
}

void View::superviewResized(Size /*size*/) {}

Window* View::window() const {
    const View* top = this;
    while (top->parent != nullptr) top = top->parent;
    return top->treeWindow;
}

void View::addSubview(std::shared_ptr<View> view, Ordering place) {
    if (!view || view.get() == this) return;
    if (view->parent != nullptr) view->removeFromSuperview();
    View& child = *view;
    children.insert(place == Ordering::WindowBelow ? children.begin() : children.end(),
                    std::move(view));
    child.parent = this;
    child.setNeedsRedraw(true);
    didAddSubview(child);
}

void View::removeFromSuperview() {
    if (parent == nullptr) return;
    View* former = parent;
    former->willRemoveSubview(*this);
    const auto it = std::find_if(former->children.begin(), former->children.end(),
                                 [&](const auto& child) { return child.get() == this; });
    // Keep this view alive until it is fully detached, even if the parent held the last reference.
    std::shared_ptr<View> keep;
    if (it != former->children.end()) {
        keep = std::move(*it);
        former->children.erase(it);
    }
    parent = nullptr;
    former->setNeedsRedraw(true);
}

void View::setNeedsRedraw(bool flag) {
    dirty = flag;
    if (flag) {
        if (ViewSurface* shown = surface()) shown->viewNeedsDisplay();
    }
}

ViewSurface* View::surface() const {
    for (const View* v = this; v != nullptr; v = v->parent) {
        if (v->shownBy != nullptr) return v->shownBy;
    }
    return nullptr;
}

const View* View::treeRoot() const {
    const View* v = this;
    while (v->shownBy == nullptr && v->parent != nullptr) v = v->parent;
    return v;
}

Point View::convertPoint(Point pointInWindow) const {
    // Every view measures from its bottom-left corner, so converting is moving by the sum of the
    // frame origins between this view and the tree's outermost view.
    Point offset;
    const View* root = treeRoot();
    for (const View* v = this;; v = v->parent) {
        offset.x += v->frameRect.origin.x;
        offset.y += v->frameRect.origin.y;
        if (v == root) break;
    }
    return {pointInWindow.x - offset.x, pointInWindow.y - offset.y};
}

View* View::hitTest(Point point) {
    if (!frameRect.contains(point)) return nullptr;
    const Point inside{point.x - frameRect.origin.x, point.y - frameRect.origin.y};
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (View* hit = (*it)->hitTest(inside)) return hit;
    }
    return this;
}

void View::setDrawsInOwnLayer(bool flag) {
    ownLayer = flag;
    setNeedsRedraw(true);
}

bool View::isLayerBacked() const {
    for (const View* v = this; v != nullptr; v = v->parent) {
        if (v->ownLayer) return true;
    }
    return false;
}

void View::draw(Rect /*dirtyRect*/) {}

void View::mouseDown(const MouseEvent& event) {
    if (parent != nullptr) parent->mouseDown(event);
}

void View::mouseDragged(const MouseEvent& event) {
    if (parent != nullptr) parent->mouseDragged(event);
}

void View::mouseUp(const MouseEvent& event) {
    if (parent != nullptr) parent->mouseUp(event);
}

void View::mouseMoved(const MouseEvent& event) {
    if (parent != nullptr) parent->mouseMoved(event);
}

void View::mouseLeft(const MouseEvent& event) {
    if (parent != nullptr) parent->mouseLeft(event);
}

void View::wheelTurned(const MouseEvent& event) {
    if (parent != nullptr) parent->wheelTurned(event);
}

bool View::acceptsPressWhileInactive(const MouseEvent& /*event*/) { return false; }

void View::didAddSubview(View& /*subview*/) {}

void View::willRemoveSubview(View& /*subview*/) {}

}  // namespace ui
