// The built plug-in in a host's X window, end to end: sized before the first open, embedded at
// the window's corner, turned with the pointer, following a program change on screen, and gone
// without a trace when the host closes the effect; shown again in a new window after the host
// destroyed the old one.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "ControlValues.h"
#include "EditorPictures.h"
#include "FittingHost.h"
#include "HostedEditor.h"
#include "KnobArithmetic.h"

// Last: Xlib's macros would clash with names in the headers above.
#include <X11/Xatom.h>

namespace {

constexpr VstInt32 kFeedBack = 1;
constexpr VstInt32 kLowPassInLoop = 4;
constexpr VstInt32 kHighPassInLoop = 5;

// A knob's parameter and its top-left corner in the editor's window (y counted downward).
struct KnobOnScreen {
    VstInt32 parameter;
    int x, y;
};
// (x, 400 - y - 48) of the knobs' places.
constexpr KnobOnScreen kKnobs[] = {
    {0, 60, 150},  {8, 239, 150}, {1, 154, 150}, {2, 117, 233},
    {3, 192, 233}, {7, 75, 315},  {6, 222, 315},
};
constexpr int kSwitchY = 400 - 132 - 16;
constexpr int kLowPassSwitchX = 82, kHighPassSwitchX = 253;

struct EditorInAHost : ::testing::Test {
    EditorPictures pictures{ZV_PICTURES_DIR};
    HostWindow host;
    LoadedEffect plugin;

    std::vector<Rgb> knobPixels(const KnobOnScreen& knob) const {
        return host.pixels(knob.x, knob.y, 48, 48);
    }
    int knobShown(const KnobOnScreen& knob) const {
        return pictures.knobShown(knobPixels(knob), knob.x, knob.y);
    }
    int switchShown(int x) const {
        return pictures.switchShown(host.pixels(x, kSwitchY, 15, 16), x, kSwitchY);
    }
    // The picture the knob of `knob.parameter` should show for the effect's current value.
    int knobExpected(const KnobOnScreen& knob) {
        const float value = plugin.parameter(knob.parameter);
        return static_cast<int>(knob::pictureForValue(control_values::knobStepFor(value)));
    }
    // The user presses at (x, y) of the host's window, drags `pixels` upward in six moves, and
    // lets go.
    void dragUp(int x, int y, int pixels) {
        host.movePointer(x, y);
        host.button(true);
        for (int move = 1; move <= 6; ++move) {
            host.movePointer(x, y - pixels * move / 6);
            plugin.idleFor(std::chrono::milliseconds(10));
        }
        host.button(false);
    }
    // Where the feedback knob lands after a drag of 30 points up from 0.215 (its step 22).
    static std::int32_t feedbackStepAfterThirtyPointsUp() {
        return knob::indexForAngle(100, static_cast<float>(knob::restAngleForIndex(100, 22) - 30));
    }
    bool showsTheBackgroundCorner() const {
        return EditorPictures::distance(host.pixels(0, 0, 8, 8),
                                        pictures.backgroundAt(0, 0, 8, 8)) == 0;
    }
};

}  // namespace

TEST_F(EditorInAHost, TheEditorIsSizedBeforeOpeningAndOpensAtTheCornerOfTheHostsWindow) {
    ERect* rect = nullptr;
    ASSERT_EQ(plugin.call(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 400);
    EXPECT_EQ(rect->right, 344);
    EXPECT_NE(plugin.record()->flags & effFlagsHasEditor, 0);

    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    const auto children = host.children();
    ASSERT_EQ(children.size(), 1u);
    const XWindowAttributes child = host.attributesOf(children[0]);
    EXPECT_EQ(child.x, 0);
    EXPECT_EQ(child.y, 0);
    EXPECT_EQ(child.width, 344);
    EXPECT_EQ(child.height, 400);
    // The host's 500 by 300 window now fits the editor.
    const XWindowAttributes outer = host.attributesOf(host.window);
    EXPECT_EQ(outer.width, 344);
    EXPECT_EQ(outer.height, 400);
    ASSERT_EQ(plugin.call(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->bottom, 400);
    EXPECT_EQ(rect->right, 344);

    ASSERT_TRUE(plugin.idleUntil([&] { return showsTheBackgroundCorner(); }));
    EXPECT_EQ(host.attributesOf(children[0]).map_state, IsViewable);
    for (const KnobOnScreen& knob : kKnobs) {
        EXPECT_EQ(knobShown(knob), knobExpected(knob)) << knob.parameter;
    }
    EXPECT_EQ(switchShown(kLowPassSwitchX), 1);  // the first program filters inside the loop
    EXPECT_EQ(switchShown(kHighPassSwitchX), 0);
}

TEST_F(EditorInAHost, DraggingTheFeedbackKnobWithThePointerSetsTheFeedback) {
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    ASSERT_TRUE(plugin.idleUntil([&] { return showsTheBackgroundCorner(); }));
    const KnobOnScreen& feedBack = kKnobs[2];
    dragUp(feedBack.x + 24, feedBack.y + 24, 30);
    // The drag starts from the step shown (22, the nearest to a feedback of 0.215): 30 points up
    // from there.
    const std::int32_t step = feedbackStepAfterThirtyPointsUp();
    const float expected = control_values::valueOfKnobStep(step);
    ASSERT_TRUE(plugin.idleUntil([&] { return plugin.parameter(kFeedBack) == expected; }))
        << plugin.parameter(kFeedBack);
    EXPECT_TRUE(plugin.idleUntil(
        [&] { return knobShown(feedBack) == static_cast<int>(knob::pictureForValue(step)); }));
    EXPECT_EQ(plugin.parameter(kLowPassInLoop), 1.0f);  // the switches kept their placements
    EXPECT_EQ(plugin.parameter(kHighPassInLoop), 0.0f);
}

TEST_F(EditorInAHost, AProgramChosenThroughTheDispatcherMovesEveryControlOnScreen) {
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    ASSERT_TRUE(plugin.idleUntil([&] { return showsTheBackgroundCorner(); }));
    std::vector<int> before;
    for (const KnobOnScreen& knob : kKnobs) before.push_back(knobShown(knob));

    plugin.call(effSetProgram, 0, 14);  // "Walking Shadow": every knob elsewhere, both switches on
    auto allFollow = [&] {
        for (const KnobOnScreen& knob : kKnobs) {
            if (knobShown(knob) != knobExpected(knob)) return false;
        }
        return switchShown(kLowPassSwitchX) == 1 && switchShown(kHighPassSwitchX) == 1;
    };
    EXPECT_TRUE(plugin.idleUntil(allFollow));
    for (std::size_t i = 0; i < std::size(kKnobs); ++i) {
        EXPECT_NE(knobShown(kKnobs[i]), before[i]) << kKnobs[i].parameter;
    }
}

// A host that keeps its window, as one showing an effect chain in one window does: each closed
// editor leaves it, and the next instance's editor is the only one in it.
TEST_F(EditorInAHost, AClosedEditorLeavesTheHostsWindowAndTheNextInstancesEditorIsAloneInIt) {
    const std::size_t filesBefore = openFiles();
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    ASSERT_TRUE(plugin.idleUntil([&] { return showsTheBackgroundCorner(); }));
    EXPECT_EQ(openFiles(), filesBefore + 1);  // the editor's own display connection
    plugin.call(effEditClose);
    EXPECT_TRUE(host.children().empty());

    LoadedEffect second;
    for (int cycle = 0; cycle < 5; ++cycle) {
        ASSERT_EQ(second.call(effEditOpen, 0, 0, host.handle()), 1);
        second.call(effEditIdle);
        ASSERT_EQ(host.children().size(), 1u) << cycle;
        EXPECT_EQ(host.attributesOf(host.children()[0]).map_state, IsViewable);
        second.call(effEditClose);
        ASSERT_TRUE(host.children().empty()) << cycle;
    }
    plugin.closeEffect();
    second.closeEffect();
    EXPECT_EQ(openFiles(), filesBefore);
}

TEST_F(EditorInAHost, TwentyOpensInOneWindowKeepOneChildWindowAndOneConnection) {
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    plugin.idleFor(std::chrono::milliseconds(20));
    const std::size_t filesOpen = openFiles();
    for (int cycle = 0; cycle < 20; ++cycle) {
        plugin.call(effEditClose);
        ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
        plugin.call(effEditIdle);
        ASSERT_EQ(host.children().size(), 1u) << cycle;
    }
    EXPECT_EQ(openFiles(), filesOpen);
    EXPECT_TRUE(plugin.idleUntil([&] { return showsTheBackgroundCorner(); }));
}

TEST_F(EditorInAHost, AHostWindowDestroyedUnderTheEditorIsSurvivedAndANewOneServes) {
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    plugin.idleFor(std::chrono::milliseconds(20));
    host.destroy();
    plugin.idleFor(std::chrono::milliseconds(50));
    plugin.call(effEditClose);

    HostWindow second;
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, second.handle()), 1);
    ASSERT_EQ(second.children().size(), 1u);
    EXPECT_EQ(second.attributesOf(second.children()[0]).width, 344);
    plugin.closeEffect();
    EXPECT_TRUE(second.children().empty());
}

// A host that fits its window to the editor's plus a margin whenever the editor's window changes
// (a toolbar wider than the editor, 6 pixels below it): after the first second the editor's window
// keeps its size for half a minute, where following the host's window would grow it every round.
TEST_F(EditorInAHost, AHostThatFitsItsWindowToTheEditorsSeesTheEditorKeepItsSize) {
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    FittingHost fitting(host, 392, 6);
    const auto fitAndIdleFor = [&](std::chrono::milliseconds time) {
        fitting.fitFor(time, [&](std::chrono::milliseconds idle) { plugin.idleFor(idle); });
    };
    fitAndIdleFor(std::chrono::seconds(1));
    const auto settled = fitting.pluginSize();
    EXPECT_LE(settled.first, 392);
    EXPECT_LE(settled.second, 406);
    for (int second = 1; second < 30; ++second) {
        fitAndIdleFor(std::chrono::seconds(1));
        ASSERT_EQ(fitting.pluginSize(), settled) << "after " << second + 1 << " s";
    }
}

// A host closes the editor, destroys its window, and later opens the editor in a new one. Every
// other time the host also closes its connection, and the server hands the old window's id to the
// new window; otherwise the new window has an id of its own. Either way, word of the old window's
// end (and the failure of requests about the editor's child in it) is still on its way to the
// editor when the new open comes.
TEST_F(EditorInAHost, ReopenedInANewHostWindowAfterTheOldOneWentTheEditorShowsEveryTime) {
    std::unique_ptr<HostWindow> retired;  // a host that destroyed its window but lives on
    ::Window lastId = 0;
    int reused = 0, fresh = 0;
    for (int cycle = 0; cycle < 30; ++cycle) {
        // Changed while no editor is open: the new view has to read it from the effect.
        const float feedBack = static_cast<float>((cycle * 37) % 101) / 100.0f;
        plugin.record()->setParameter(plugin.record(), kFeedBack, feedBack);

        auto window = std::make_unique<HostWindow>();
        retired.reset();
        if (cycle > 0) ++(window->window == lastId ? reused : fresh);
        lastId = window->window;
        ASSERT_EQ(plugin.call(effEditOpen, 0, 0, window->handle()), 1) << cycle;
        for (int idle = 0; idle < 12; ++idle) {
            plugin.call(effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        const auto children = window->children();
        ASSERT_EQ(children.size(), 1u) << "cycle " << cycle;
        const XWindowAttributes child = window->attributesOf(children[0]);
        EXPECT_EQ(child.map_state, IsViewable) << cycle;
        EXPECT_EQ(child.width, 344) << cycle;
        EXPECT_EQ(child.height, 400) << cycle;
        // Drawn: the background's corner and the feedback knob at the value set while closed, as
        // a newly built view takes it.
        const KnobOnScreen& knob = kKnobs[2];
        const int expected = static_cast<int>(
            knob::pictureForValue(control_values::knobStepFor(plugin.parameter(kFeedBack))));
        const auto drawn = [&] {
            return EditorPictures::distance(window->pixels(0, 0, 8, 8),
                                            pictures.backgroundAt(0, 0, 8, 8)) == 0 &&
                   pictures.knobShown(window->pixels(knob.x, knob.y, 48, 48), knob.x, knob.y) ==
                       expected;
        };
        ASSERT_TRUE(plugin.idleUntil(drawn)) << "cycle " << cycle;

        plugin.call(effEditClose);
        if (cycle % 2 == 0) {
            window.reset();
        } else {
            window->destroy();
            retired = std::move(window);
        }
    }
    // Both kinds of new window were met.
    EXPECT_GT(reused, 0);
    EXPECT_GT(fresh, 0);
}

namespace {

// The desktop's resources as the server holds them for new connections (the root window's
// RESOURCE_MANAGER), for as long as the object lives.
class DesktopResources {
public:
    DesktopResources(Display* display, const std::string& text) : dpy(display) {
        XChangeProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(text.data()),
                        static_cast<int>(text.size()));
        XSync(dpy, False);
    }
    ~DesktopResources() {
        XDeleteProperty(dpy, DefaultRootWindow(dpy), XA_RESOURCE_MANAGER);
        XSync(dpy, False);
    }
    DesktopResources(const DesktopResources&) = delete;
    DesktopResources& operator=(const DesktopResources&) = delete;

private:
    Display* dpy;
};

}  // namespace

// A desktop at 192 dots per inch asks for two pixels to the point: the editor's window has them,
// shows the pictures drawn for them, and a drag of 2k pixels turns a knob as far as k pixels do
// at one pixel to the point.
TEST_F(EditorInAHost, OnADesktopAt192DotsPerInchTheEditorHasTwiceThePixelsAndDragsInPoints) {
    const DesktopResources desktop(host.display(), "Xft.dpi:\t192\n");
    const EditorPictures sharp(ZV_PICTURES_DIR, 2);
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    ERect* rect = nullptr;
    ASSERT_EQ(plugin.call(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->bottom, 800);
    EXPECT_EQ(rect->right, 688);
    const auto children = host.children();
    ASSERT_EQ(children.size(), 1u);
    const XWindowAttributes attributes = host.attributesOf(children[0]);
    EXPECT_EQ(attributes.width, 688);
    EXPECT_EQ(attributes.height, 800);

    const KnobOnScreen& feedBack = kKnobs[2];
    const int x = 2 * feedBack.x, y = 2 * feedBack.y;
    const int shownAtStart = static_cast<int>(knob::pictureForValue(22));  // 0.215
    ASSERT_TRUE(plugin.idleUntil(
        [&] { return sharp.knobShown(host.pixels(x, y, 96, 96), x, y) == shownAtStart; }));

    dragUp(x + 48, y + 48, 60);
    // Sixty pixels are thirty points: as far as the thirty-pixel drag at one pixel to the point.
    const std::int32_t step = feedbackStepAfterThirtyPointsUp();
    const float expected = control_values::valueOfKnobStep(step);
    ASSERT_TRUE(plugin.idleUntil([&] { return plugin.parameter(kFeedBack) == expected; }))
        << plugin.parameter(kFeedBack);
    EXPECT_TRUE(plugin.idleUntil([&] {
        return sharp.knobShown(host.pixels(x, y, 96, 96), x, y) == knob::pictureForValue(step);
    }));
}

// The wheel, a Shift drag and a double click on the feedback knob, with the server's own pointer
// and keys: each reaches the host as one gesture on the feedback alone; the display shows the
// readout meanwhile, and once the knob is back at its program's value and the readout has gone,
// the display shows exactly what it showed before.
TEST(EditorInAHostMoves, TheWheelAShiftDragAndADoubleClickEachReachTheHostAsOneGesture) {
    gesturesHeard().clear();
    HostWindow host;
    LoadedEffect plugin(gestureRecordingHost);
    ASSERT_EQ(plugin.call(effEditOpen, 0, 0, host.handle()), 1);
    plugin.idleFor(std::chrono::milliseconds(300));
    const auto display = [&host] { return host.pixels(20, 76, 304, 50); };
    const std::vector<Rgb> before = display();

    const float start = plugin.parameter(kFeedBack);
    const std::int32_t step = control_values::knobStepFor(start);
    const auto value = [step](int steps) { return control_values::valueOfKnobStep(step + steps); };
    const auto gesture = [](std::vector<float> values) {
        std::vector<GestureMessage> messages{{audioMasterBeginEdit, kFeedBack, 0.0f}};
        for (const float v : values) messages.push_back({audioMasterAutomate, kFeedBack, v});
        messages.push_back({audioMasterEndEdit, kFeedBack, 0.0f});
        return messages;
    };
    const KnobOnScreen& feedBack = kKnobs[2];
    const int x = feedBack.x + 24, y = feedBack.y + 24;

    host.movePointer(x, y);
    plugin.idleFor(std::chrono::milliseconds(50));
    host.wheel(true);
    plugin.idleFor(std::chrono::milliseconds(50));
    host.wheel(true);
    plugin.idleFor(std::chrono::milliseconds(50));
    EXPECT_NE(display(), before) << "no readout, or the echoes did not follow";
    plugin.idleFor(std::chrono::milliseconds(700));  // the wheel at rest ends its gesture
    EXPECT_EQ(gesturesHeard(), gesture({value(1), value(2)}));

    // Shift held: 24 pixels (points at this scale) are three steps.
    gesturesHeard().clear();
    host.shift(true);
    host.button(true);
    for (int up = 6; up <= 24; up += 6) {
        host.movePointer(x, y - up);
        plugin.idleFor(std::chrono::milliseconds(20));
    }
    host.button(false);
    host.shift(false);
    host.movePointer(x, y);
    plugin.idleFor(std::chrono::milliseconds(500));
    EXPECT_EQ(gesturesHeard(), gesture({value(3), value(4), value(5)}));

    gesturesHeard().clear();
    for (int click = 0; click < 2; ++click) {
        host.button(true);
        host.button(false);
    }
    plugin.idleFor(std::chrono::milliseconds(100));
    EXPECT_EQ(gesturesHeard(), gesture({start}));
    EXPECT_EQ(plugin.parameter(kFeedBack), start);

    host.movePointer(5, 5);
    plugin.idleFor(std::chrono::milliseconds(1500));
    EXPECT_EQ(display(), before);
}
