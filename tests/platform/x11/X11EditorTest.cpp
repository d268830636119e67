// The controls in a real X child window inside a host's window, driven with synthesised pointer
// events (XTest) and read back from the server, as a Linux host would show them.
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "ControlScene.h"
#include "KnobArithmetic.h"
#include "LoopSwitch.h"
#include "Pump.h"
#include "RecordingView.h"
#include "Window.h"
#include "XTestSupport.h"
#include "XvfbServer.h"
#include "headless/HeadlessSurface.h"
#include "x11/X11WindowSystem.h"

// Last: Xlib's macros (None, Bool, Status...) would clash with names in the headers above.
#include "HostWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

extern XvfbServer* theServer;

namespace {

// The editor's size, which the host's window takes in most cases.
constexpr ParentWindow::Place kEditorSized{0, 0, 344, 400};

// Pumps the plug-in's side as a host's idle does until `done` holds (or two seconds pass).
bool pumpUntil(ui::WindowSystem& system, const std::function<bool()>& done) {
    return ::pumpUntil([&system] { system.processPendingEvents(); }, done);
}

void pumpFor(ui::WindowSystem& system, std::chrono::milliseconds time) {
    ::pumpFor([&system] { system.processPendingEvents(); }, time);
}

// The editor's face: the background under seven knobs and two switches.
struct EditorFace {
    std::shared_ptr<Backdrop> main = std::make_shared<Backdrop>(ui::Rect{0, 0, 344, 400});
    std::vector<std::shared_ptr<Knob>> knobs;
    RecordingListener listener;

    EditorFace() {
        auto frames = knobFrames();
        const ui::Rect places[] = {{60, 202, 48, 48},  {239, 202, 48, 48}, {154, 202, 48, 48},
                                   {117, 119, 48, 48}, {192, 119, 48, 48}, {75, 37, 48, 48},
                                   {222, 37, 48, 48}};
        int parameter = 0;
        for (const ui::Rect& place : places) {
            auto knob = std::make_shared<Knob>(place, parameter++, frames);
            knob->setListener(&listener);
            knob->setStep(50);
            main->addSubview(knob);
            knobs.push_back(knob);
        }
        auto off = std::make_shared<ui::Image>("switchoff"),
             on = std::make_shared<ui::Image>("switchon");
        for (double x : {82.0, 253.0}) {
            auto toggle =
                std::make_shared<LoopSwitch>(ui::Rect{x, 132, 15, 16}, parameter++, off, on);
            toggle->setListener(&listener);
            main->addSubview(toggle);
        }
        listener.watched = knobs[0].get();
    }
};

// The picture number a knob shows at its centre (x, y in the host window), from its colour.
int knobPictureAt(const HostWindow& host, int x, int y) {
    const Rgb centre = host.pixelAt(x, y);
    if (centre.green != test_pictures::kKnobCentreGreen) return -1;
    return centre.red / 2;
}

const Rgb kBackground{test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                      test_pictures::kBackgroundBlue};

// The time knob's centre in the host's window: (60 + 24, 400 - (202 + 24)).
constexpr int kTimeKnobX = 84, kTimeKnobY = 174;

using xtest::processSeconds;
using xtest::serverSeconds;

}  // namespace

TEST(X11Editor, AKnobInAChildWindowOfTheHostsWindowTurnsWithThePointerAndShowsItsPicture) {
    HostWindow host(kEditorSized);
    auto system = ui::x11::makeX11WindowSystem();
    auto hostView = system->viewForHandle(host.handle());
    ASSERT_TRUE(hostView);
    EditorFace face;
    hostView->addSubview(face.main);

    // A plain child window of the host's, at its top-left corner, at the editor's size.
    ASSERT_TRUE(pumpUntil(*system, [&] { return host.children().size() == 1; }));
    const ::Window child = host.children()[0];
    XWindowAttributes attributes{};
    XGetWindowAttributes(host.display(), child, &attributes);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, 344);
    EXPECT_EQ(attributes.height, 400);
    ASSERT_TRUE(pumpUntil(*system, [&] { return host.pixelAt(5, 5) == kBackground; }));
    EXPECT_EQ(knobPictureAt(host, kTimeKnobX, kTimeKnobY), 63);  // step 50

    // Press on the time knob and move up 100 pixels, ten at a time.
    host.movePointer(kTimeKnobX, kTimeKnobY);
    host.button(true);
    for (int up = 10; up <= 100; up += 10) host.movePointer(kTimeKnobX, kTimeKnobY - up);
    host.button(false);
    ASSERT_TRUE(pumpUntil(*system, [&] { return face.listener.calls.size() >= 10; }));
    pumpFor(*system, std::chrono::milliseconds(50));

    // From the rest angle of step 50 (87 degrees), 10 points up is 77, and so on to -13.
    EXPECT_EQ(face.listener.values(), (std::vector<int>{54, 57, 61, 65, 68, 72, 76, 79, 83, 87}));
    for (const ControlCall& call : face.listener.calls) {
        EXPECT_EQ(call.parameter, face.knobs[0]->parameter());
        EXPECT_EQ(call.stepDuringCall, call.value);
    }
    EXPECT_EQ(face.knobs[0]->step(), 87);
    ASSERT_TRUE(
        pumpUntil(*system, [&] { return knobPictureAt(host, kTimeKnobX, kTimeKnobY) == 110; }));
    EXPECT_EQ(knobPictureAt(host, 239 + 24, 400 - 226), 63);  // the mix knob did not move
}

TEST(X11Editor, TheChildWindowShowsPixelForPixelWhatTheTreeDrawsInMemory) {
    HostWindow host(kEditorSized);
    auto system = ui::x11::makeX11WindowSystem();
    EditorFace shown, drawn;
    shown.knobs[2]->setStep(99);
    drawn.knobs[2]->setStep(99);
    system->viewForHandle(host.handle())->addSubview(shown.main);
    ASSERT_TRUE(pumpUntil(*system, [&] { return host.pixelAt(5, 5) == kBackground; }));
    ui::headless::HeadlessSurface memory(drawn.main);
    memory.displayAll();

    const std::vector<Rgb> shownPixels = host.pixels(0, 0, 344, 400);
    ASSERT_EQ(shownPixels.size(), 344u * 400u);
    int differing = 0;
    for (int y = 0; y < 400; ++y) {
        for (int x = 0; x < 344; ++x) {
            const ui::headless::Pixel expected = memory.pixelAtPixel(x, y);
            const Rgb& actual = shownPixels[static_cast<std::size_t>(y * 344 + x)];
            if (actual != (Rgb{expected.red, expected.green, expected.blue})) ++differing;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(X11Editor, ASwitchFlipsAtEachClick) {
    HostWindow host(kEditorSized);
    auto system = ui::x11::makeX11WindowSystem();
    EditorFace face;
    system->viewForHandle(host.handle())->addSubview(face.main);
    const int x = 82 + 7, y = 400 - (132 + 8);
    ASSERT_TRUE(pumpUntil(*system, [&] {
        return host.pixelAt(x, y) ==
               (Rgb{test_pictures::kSwitchOffRed, test_pictures::kSwitchOffGreen,
                    test_pictures::kSwitchOffBlue});
    }));
    host.movePointer(x, y);
    host.button(true);
    host.button(false);
    ASSERT_TRUE(pumpUntil(*system, [&] {
        return host.pixelAt(x, y) ==
               (Rgb{test_pictures::kSwitchOnRed, test_pictures::kSwitchOnGreen,
                    test_pictures::kSwitchOnBlue});
    }));
    ASSERT_EQ(face.listener.calls.size(), 1u);
    EXPECT_EQ(face.listener.calls[0].value, 1);  // a switch, now on
    EXPECT_EQ(face.listener.calls[0].parameter, 7);
}

TEST(X11Editor, IdleBeforeOpenOpeningTwiceAndSeveralInstancesAreTolerated) {
    auto first = ui::x11::makeX11WindowSystem();
    auto second = ui::x11::makeX11WindowSystem();
    first->processPendingEvents();  // idle before any open: nothing to do, nothing opened
    second->processPendingEvents();

    HostWindow hostA(kEditorSized), hostB({400, 0, 344, 400});
    EditorFace a1, a2, b;
    first->viewForHandle(hostA.handle())->addSubview(a1.main);
    first->viewForHandle(hostA.handle())->addSubview(a2.main);  // a second open, no close between
    second->viewForHandle(hostB.handle())->addSubview(b.main);
    ASSERT_TRUE(pumpUntil(*first, [&] { return hostA.children().size() == 2; }));
    ASSERT_TRUE(pumpUntil(*second, [&] { return hostB.pixelAt(5, 5) == kBackground; }));

    // The newer view lies on top and takes the mouse; the other instance sees nothing of it.
    hostA.movePointer(kTimeKnobX, kTimeKnobY);
    hostA.button(true);
    hostA.movePointer(kTimeKnobX, kTimeKnobY - 20);
    hostA.button(false);
    ASSERT_TRUE(pumpUntil(*first, [&] { return !a2.listener.calls.empty(); }));
    second->processPendingEvents();
    EXPECT_TRUE(a1.listener.calls.empty());
    EXPECT_TRUE(b.listener.calls.empty());

    a1.main->removeFromSuperview();
    ASSERT_TRUE(pumpUntil(*first, [&] { return hostA.children().size() == 1; }));
}

TEST(X11Editor, AHostDestroyingItsWindowFirstDoesNotTakeTheProcessDown) {
    auto system = ui::x11::makeX11WindowSystem();
    auto host = std::make_unique<HostWindow>(kEditorSized);
    EditorFace face;
    auto hostView = system->viewForHandle(host->handle());
    hostView->addSubview(face.main);
    ASSERT_TRUE(pumpUntil(*system, [&] { return host->pixelAt(5, 5) == kBackground; }));
    // The host destroys its window (and with it our child window) and then closes the editor,
    // which takes its view away before it has heard of the destruction: destroying a window that
    // is gone is an X error, which by default ends the process.
    host->destroy();
    face.knobs[0]->setStep(3);
    face.main->removeFromSuperview();
    pumpFor(*system, std::chrono::milliseconds(50));
    // The next open finds the handle gone.
    EXPECT_EQ(system->viewForHandle(host->handle()), nullptr);
    hostView.reset();
    system->processPendingEvents();
}

TEST(X11Editor, HandlesThatAreNotWindowsGiveNoView) {
    auto system = ui::x11::makeX11WindowSystem();
    EXPECT_EQ(system->viewForHandle(nullptr), nullptr);
    EXPECT_EQ(system->viewForHandle(reinterpret_cast<void*>(std::uintptr_t{0x1234567})), nullptr);
    int notAWindow = 0;
    EXPECT_EQ(system->viewForHandle(&notAWindow), nullptr);
    system->processPendingEvents();
}

TEST(X11Editor, TheHostsWindowCanBeReadAndResizedButNotMoved) {
    HostWindow host({30, 40, 500, 300});
    auto system = ui::x11::makeX11WindowSystem();
    auto hostView = system->viewForHandle(host.handle());
    ASSERT_NE(hostView->window(), nullptr);
    EXPECT_EQ(hostView->frame().size, (ui::Size{500, 300}));
    EXPECT_EQ(system->mainScreen()->frame, (ui::Rect{0, 0, 1024, 768}));
    EXPECT_EQ(hostView->window()->frame(), (ui::Rect{30, 768 - 40 - 300, 500, 300}));
    EXPECT_EQ(hostView->window()->contentView(), hostView.get());
    hostView->window()->setFrame({30, 428, 344, 400});
    ASSERT_TRUE(pumpUntil(*system, [&] { return hostView->frame().size == ui::Size{344, 400}; }));
    XWindowAttributes attributes{};
    XGetWindowAttributes(host.display(), host.id(), &attributes);
    EXPECT_EQ(attributes.x, 30);
    EXPECT_EQ(attributes.y, 40);
}

TEST(X11Editor, AWindowOfOurOwnHasAFixedSizeAndClosesThroughItsOwner) {
    struct ClosingWindow : ui::Window {
        using ui::Window::Window;
        void close() override {
            ++closes;
            ui::Window::close();
        }
        int closes = 0;
    };
    auto system = ui::x11::makeX11WindowSystem();
    auto window = std::make_shared<ClosingWindow>(*system, ui::Rect{340, 184, 344, 400});
    EditorFace face;
    window->setContentView(face.main);
    window->show();
    const auto id = static_cast<::Window>(reinterpret_cast<std::uintptr_t>(window->nativeHandle()));

    HostWindow observer(kEditorSized);
    XWindowAttributes attributes{};
    ASSERT_TRUE(pumpUntil(*system, [&] {
        XGetWindowAttributes(observer.display(), id, &attributes);
        return attributes.map_state == IsViewable;
    }));
    EXPECT_EQ(attributes.x, 340);
    EXPECT_EQ(attributes.y, 768 - 184 - 400);
    XSizeHints hints{};
    long supplied = 0;
    XGetWMNormalHints(observer.display(), id, &hints, &supplied);
    EXPECT_EQ(hints.min_width, 344);
    EXPECT_EQ(hints.max_width, 344);
    EXPECT_EQ(hints.max_height, 400);

    // The window manager's close button, as a message to the window.
    XEvent message{};
    message.xclient.type = ClientMessage;
    message.xclient.window = id;
    message.xclient.message_type = XInternAtom(observer.display(), "WM_PROTOCOLS", False);
    message.xclient.format = 32;
    message.xclient.data.l[0] =
        static_cast<long>(XInternAtom(observer.display(), "WM_DELETE_WINDOW", False));
    XSendEvent(observer.display(), id, False, NoEventMask, &message);
    XSync(observer.display(), False);
    ASSERT_TRUE(pumpUntil(*system, [&] { return window->closes == 1; }));
    EXPECT_TRUE(window->isClosed());
    window->close();
    EXPECT_EQ(window->closes, 2);
}

TEST(X11Editor, AnUntouchedOpenEditorCostsUnderOnePercentOfACore) {
    HostWindow host(kEditorSized);
    auto system = ui::x11::makeX11WindowSystem();
    EditorFace face;
    system->viewForHandle(host.handle())->addSubview(face.main);
    ASSERT_TRUE(pumpUntil(*system, [&] { return host.pixelAt(5, 5) == kBackground; }));
    pumpFor(*system, std::chrono::milliseconds(200));

    // Idled 30 times a second, as hosts do, for three seconds.
    const double ownBefore = processSeconds();
    const double serverBefore = theServer != nullptr ? serverSeconds(theServer->pid()) : 0.0;
    const auto start = std::chrono::steady_clock::now();
    int pumps = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
        system->processPendingEvents();
        ++pumps;
        std::this_thread::sleep_for(std::chrono::microseconds(33333));
    }
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double own = processSeconds() - ownBefore;
    const double server =
        theServer != nullptr ? serverSeconds(theServer->pid()) - serverBefore : 0.0;
    std::printf(
        "untouched editor: %d pumps in %.2f s, %.3f ms of our processor time (%.4f%% of a "
        "core), X server %.0f ms\n",
        pumps, wall, own * 1000.0, 100.0 * own / wall, server * 1000.0);
    EXPECT_LT(own / wall, 0.01);
    EXPECT_LT(server / wall, 0.01);
}

TEST(X11Editor, HoverLeaveWheelWithShiftAndADoubleClickReachTheViewUnderThePointer) {
    HostWindow host;
    auto system = ui::x11::makeX11WindowSystem();
    auto hostView = system->viewForHandle(host.handle());
    ASSERT_TRUE(hostView);
    auto view = makeView(0, 0, 100, 80);
    hostView->addSubview(view);
    ASSERT_TRUE(pumpUntil(*system, [&] { return host.children().size() == 1; }));
    using Type = ui::MouseEvent::Type;
    const auto heard = [&](Type type) {
        return pumpUntil(*system,
                         [&] { return !view->events.empty() && view->events.back().type == type; });
    };

    host.movePointer(20, 40);
    ASSERT_TRUE(heard(Type::Moved));
    EXPECT_EQ(view->events.back().location, (ui::Point{20.5, 39.5}));
    for (int press = 0; press < 2; ++press) {
        host.button(true);
        host.button(false);
    }
    ASSERT_TRUE(heard(Type::Up));
    Display* dpy = host.display();
    const KeyCode shift = XKeysymToKeycode(dpy, XK_Shift_L);
    XTestFakeKeyEvent(dpy, shift, True, CurrentTime);
    XTestFakeButtonEvent(dpy, 4, True, CurrentTime);
    XTestFakeButtonEvent(dpy, 4, False, CurrentTime);
    XTestFakeKeyEvent(dpy, shift, False, CurrentTime);
    XSync(dpy, False);
    ASSERT_TRUE(heard(Type::Wheel));
    host.movePointer(300, 200);
    ASSERT_TRUE(heard(Type::Left));

    std::vector<int> clicks;
    for (const RecordedEvent& event : view->events) {
        if (event.type == Type::Down) clicks.push_back(event.clickCount);
    }
    EXPECT_EQ(clicks, (std::vector<int>{1, 2}));
    const RecordedEvent& wheel = view->events[view->events.size() - 2];
    EXPECT_EQ(wheel.notches, 1);
    EXPECT_TRUE(wheel.shift);
}
