// The CLAP editor in a host's X window, under a virtual X server: placed by set_parent, driven
// only by the host's timer and its watch on the display connection (no thread of its own), a knob
// dragged with the pointer heard by the host as begin, values and end for that knob alone, and no
// window, timer or watch left after destroy.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "ClapHostedPlugin.h"
#include "ClapLibrary.h"
#include "EditorLayout.h"
#include "ParameterTable.h"

// Last: Xlib's macros would clash with names in the headers above.
#include "HostWindow.h"

namespace {

const ClapLibrary& library() {
    static const ClapLibrary loaded(ZV_CLAP_PATH);
    return loaded;
}

// The host's main loop for a while: its timers fire and the display connection is looked at.
void runHostFor(ClapHostedPlugin& clap, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) {
        clap.fireTimers();
        clap.signalFiles();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

const layout::Frame& knobFrame(ParameterIndex parameter) {
    for (const auto& knob : layout::knobs) {
        if (knob.parameter == parameter) return knob.frame;
    }
    throw std::logic_error("no knob");
}

}  // namespace

TEST(ClapEditor, ShownInTheHostsWindowOnItsTimerItsDragsReachTheHostAsOneGesture) {
    HostWindow window(500, 450);
    ClapHostedPlugin clap(library());
    ASSERT_TRUE(clap.activate(44100.0));
    const auto* gui = clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    ASSERT_NE(gui, nullptr);
    const clap_plugin_t* plugin = &clap.plugin();
    EXPECT_TRUE(gui->is_api_supported(plugin, CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(gui->is_api_supported(plugin, CLAP_WINDOW_API_X11, true));
    EXPECT_FALSE(gui->is_api_supported(plugin, CLAP_WINDOW_API_WIN32, false));
    ASSERT_TRUE(gui->create(plugin, CLAP_WINDOW_API_X11, false));
    ASSERT_TRUE(gui->set_scale(plugin, 1.0));
    std::uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    EXPECT_EQ(width, 344u);
    EXPECT_EQ(height, 400u);
    EXPECT_FALSE(gui->can_resize(plugin));
    clap_gui_resize_hints_t hints{true, true, false, 0, 0};
    ASSERT_TRUE(gui->get_resize_hints(plugin, &hints));
    EXPECT_FALSE(hints.can_resize_horizontally || hints.can_resize_vertically);

    clap_window_t parent{};
    parent.api = CLAP_WINDOW_API_X11;
    parent.x11 = window.id();
    ASSERT_TRUE(gui->set_parent(plugin, &parent));
    ASSERT_TRUE(gui->show(plugin));
    EXPECT_EQ(clap.notes().timers.size(), 1u);
    ASSERT_EQ(clap.notes().files.size(), 1u);
    EXPECT_EQ(clap.notes().files.begin()->second, CLAP_POSIX_FD_READ);
    ASSERT_EQ(window.children().size(), 1u);
    const XWindowAttributes child = window.attributesOf(window.children()[0]);
    EXPECT_GE(child.width, 344);
    EXPECT_GE(child.height, 400);
    runHostFor(clap, std::chrono::milliseconds(200));

    // The host moves the delay: the knob turns on screen, and nothing goes back to the host.
    const layout::Frame& delay = knobFrame(kDelay);
    const auto delayBefore = window.pixels(delay.x, delay.top(), delay.width, delay.height);
    EXPECT_TRUE(clap.flush({{0, kDelay, 1.0}}).empty());
    runHostFor(clap, std::chrono::milliseconds(200));
    EXPECT_NE(window.pixels(delay.x, delay.top(), delay.width, delay.height), delayBefore);
    EXPECT_TRUE(clap.flush().empty());

    const double feedBackBefore = clap.value(kFeedBack);
    const layout::Frame& feedBack = knobFrame(kFeedBack);
    const int x = feedBack.x + feedBack.width / 2, y = feedBack.top() + feedBack.height / 2;
    window.movePointer(x, y);
    window.button(true);
    for (int up = 5; up <= 40; up += 5) {
        window.movePointer(x, y - up);
        runHostFor(clap, std::chrono::milliseconds(20));
    }
    window.button(false);
    runHostFor(clap, std::chrono::milliseconds(100));
    EXPECT_GT(clap.notes().flushRequests, 0);
    const std::vector<ClapToldEvent> told = clap.flush();
    ASSERT_GE(told.size(), 3u);
    EXPECT_EQ(told.front(), (ClapToldEvent{CLAP_EVENT_PARAM_GESTURE_BEGIN, kFeedBack, 0.0}));
    EXPECT_EQ(told.back(), (ClapToldEvent{CLAP_EVENT_PARAM_GESTURE_END, kFeedBack, 0.0}));
    for (std::size_t i = 1; i + 1 < told.size(); ++i) {
        EXPECT_EQ(told[i].type, CLAP_EVENT_PARAM_VALUE);
        EXPECT_EQ(told[i].id, static_cast<clap_id>(kFeedBack));
    }
    EXPECT_GT(told[told.size() - 2].value, feedBackBefore);
    EXPECT_EQ(clap.value(kFeedBack), told[told.size() - 2].value);
    EXPECT_TRUE(clap.flush().empty()) << "a gesture was told twice";

    gui->destroy(plugin);
    EXPECT_TRUE(window.children().empty()) << "the editor's window outlived destroy";
    EXPECT_TRUE(clap.notes().timers.empty());
    EXPECT_TRUE(clap.notes().files.empty());
}

// A host on a high-density screen gives its scale: the editor asks for the pixels it needs.
TEST(ClapEditor, TheHostsScaleGivesTheEditorItsSizeInPixels) {
    ClapHostedPlugin clap(library());
    const auto* gui = clap.extension<clap_plugin_gui_t>(CLAP_EXT_GUI);
    const clap_plugin_t* plugin = &clap.plugin();
    ASSERT_TRUE(gui->create(plugin, CLAP_WINDOW_API_X11, false));
    EXPECT_FALSE(gui->set_scale(plugin, 0.0));
    ASSERT_TRUE(gui->set_scale(plugin, 2.0));
    std::uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->get_size(plugin, &width, &height));
    EXPECT_EQ(width, 688u);
    EXPECT_EQ(height, 800u);
    // Destroyed with the plug-in, without the host's destroy.
}
