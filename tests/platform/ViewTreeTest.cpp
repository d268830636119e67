#include <gtest/gtest.h>

#include "RecordingView.h"
#include "View.h"

using ui::Point;
using ui::Rect;
using Ordering = ui::View::Ordering;

namespace {
std::vector<ui::View*> order(const ui::View& parent) {
    std::vector<ui::View*> views;
    for (const auto& child : parent.subviews()) views.push_back(child.get());
    return views;
}
}  // namespace

TEST(ViewTree, AddSubviewPutsTheNewChildOnTopOfItsSiblings) {
    auto parent = makeView(0, 0, 100, 100);
    auto first = makeView(0, 0, 10, 10);
    auto second = makeView(0, 0, 10, 10);
    parent->addSubview(first);
    parent->addSubview(second);
    EXPECT_EQ(order(*parent), (std::vector<ui::View*>{first.get(), second.get()}));
    EXPECT_EQ(second->superview(), parent.get());
}

TEST(ViewTree, AddingBelowPutsTheChildUnderAllOthers) {
    auto parent = makeView(0, 0, 100, 100);
    auto a = makeView(0, 0, 10, 10), b = makeView(0, 0, 10, 10), under = makeView(0, 0, 10, 10);
    parent->addSubview(a);
    parent->addSubview(b);
    parent->addSubview(under, Ordering::WindowBelow);
    EXPECT_EQ(order(*parent), (std::vector<ui::View*>{under.get(), a.get(), b.get()}));
}

TEST(ViewTree, AddingAViewThatHasAParentMovesItToTheNewOne) {
    auto oldParent = makeView(0, 0, 100, 100), newParent = makeView(0, 0, 100, 100);
    auto child = makeView(0, 0, 10, 10);
    oldParent->addSubview(child);
    newParent->addSubview(child);
    EXPECT_TRUE(oldParent->subviews().empty());
    EXPECT_EQ(child->superview(), newParent.get());
}

TEST(ViewTree, ARemovedViewLivesOnForWhoeverHoldsIt) {
    auto parent = makeView(0, 0, 100, 100);
    std::weak_ptr<RecordingView> watch;
    {
        auto child = makeView(0, 0, 10, 10);
        watch = child;
        parent->addSubview(child);
    }
    auto held = watch.lock();
    ASSERT_TRUE(held);
    held->removeFromSuperview();
    EXPECT_EQ(held->superview(), nullptr);
    EXPECT_TRUE(parent->subviews().empty());
    held.reset();
    EXPECT_TRUE(watch.expired());
}

TEST(ViewTree, ChildrenOutlivingTheirParentHaveNoSuperview) {
    auto child = makeView(0, 0, 10, 10);
    {
        auto parent = makeView(0, 0, 100, 100);
        parent->addSubview(child);
    }
    EXPECT_EQ(child->superview(), nullptr);
}

TEST(Coordinates, AWindowPositionLosesEveryFrameOriginOnTheWayDown) {
    auto root = makeView(10, 20, 344, 400);
    auto knob = makeView(60, 202, 48, 48);
    auto pointer = makeView(0, 0, 48, 48);
    root->addSubview(knob);
    knob->addSubview(pointer);
    // Window coordinates are those of the outermost view's superview: the root's frame counts.
    EXPECT_EQ(pointer->convertPoint({100, 250}), (Point{30, 28}));
    EXPECT_EQ(root->convertPoint({100, 250}), (Point{90, 230}));
}

TEST(HitTesting, TheTopmostDeepestViewUnderThePointIsFound) {
    auto root = makeView(0, 0, 200, 200);
    auto lower = makeView(10, 10, 100, 100), upper = makeView(50, 50, 100, 100);
    auto inner = makeView(10, 10, 20, 20);
    root->addSubview(lower);
    root->addSubview(upper);
    upper->addSubview(inner);
    EXPECT_EQ(root->hitTest({20, 20}), lower.get());
    EXPECT_EQ(root->hitTest({70, 70}), inner.get());  // upper and inner lie over lower
    EXPECT_EQ(root->hitTest({100, 100}), upper.get());
    EXPECT_EQ(root->hitTest({190, 190}), root.get());
    EXPECT_EQ(root->hitTest({250, 10}), nullptr);
}

TEST(HitTesting, TheLeftAndBottomEdgesBelongToAViewButNotTheRightAndTop) {
    auto root = makeView(0, 0, 100, 100);
    auto child = makeView(10, 10, 20, 20);
    root->addSubview(child);
    EXPECT_EQ(root->hitTest({10, 10}), child.get());
    EXPECT_EQ(root->hitTest({29.99, 29.99}), child.get());
    EXPECT_EQ(root->hitTest({30, 20}), root.get());
    EXPECT_EQ(root->hitTest({20, 30}), root.get());
}

TEST(HitTesting, AChildSpillingOutOfItsParentIsOnlyHitInsideTheParent) {
    auto root = makeView(0, 0, 100, 100);
    auto parent = makeView(0, 0, 50, 50);
    auto spilling = makeView(40, 40, 30, 30);
    root->addSubview(parent);
    parent->addSubview(spilling);
    EXPECT_EQ(root->hitTest({45, 45}), spilling.get());
    EXPECT_EQ(root->hitTest({60, 60}), root.get());
}
