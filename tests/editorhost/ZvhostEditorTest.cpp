// zvhost's editor command, the host's side of the same path: its own top-level window with the
// editor in it, parameters printed as the editor changes them, and a picture on request.
#include <gtest/gtest.h>

#include <cairo.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// Runs a shell command and gives its standard output once it ends, with its exit status.
struct Finished {
    std::string output;
    int status = -1;
};
Finished run(const std::string& command) {
    Finished result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char chunk[256];
    while (fgets(chunk, sizeof chunk, pipe) != nullptr) result.output += chunk;
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string zvhost() { return std::string(ZV_ZVHOST_PATH) + " editor " + ZV_PLUGIN_PATH; }

// The top-level window whose title ends in " - zvhost editor", once the editor shows in it.
::Window findEditorWindow(Display* dpy) {
    for (int attempt = 0; attempt < 400; ++attempt) {
        ::Window root = 0, parent = 0, *list = nullptr;
        unsigned count = 0;
        XQueryTree(dpy, DefaultRootWindow(dpy), &root, &parent, &list, &count);
        ::Window found = 0;
        for (unsigned i = 0; i < count && found == 0; ++i) {
            char* name = nullptr;
            if (XFetchName(dpy, list[i], &name) != 0 && name != nullptr) {
                if (std::string(name).find(" - zvhost editor") != std::string::npos) {
                    found = list[i];
                }
                XFree(name);
            }
        }
        if (list != nullptr) XFree(list);
        if (found != 0) {
            ::Window* children = nullptr;
            XQueryTree(dpy, found, &root, &parent, &children, &count);
            XWindowAttributes attributes{};
            const bool shown = count == 1 &&
                               XGetWindowAttributes(dpy, children[0], &attributes) != 0 &&
                               attributes.map_state == IsViewable;
            if (children != nullptr) XFree(children);
            if (shown) return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
}

}  // namespace

TEST(ZvhostEditor, ShowsTheEditorInItsOwnWindowAndPrintsWhatTheEditorChanges) {
    auto zvhostRun =
        std::async(std::launch::async, [] { return run(zvhost() + " --close-after 4"); });
    Display* dpy = XOpenDisplay(nullptr);
    ASSERT_NE(dpy, nullptr);
    const ::Window window = findEditorWindow(dpy);
    ASSERT_NE(window, 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // a few idles: drawn
    XWindowAttributes attributes{};
    XGetWindowAttributes(dpy, window, &attributes);
    EXPECT_EQ(attributes.width, 344);
    EXPECT_EQ(attributes.height, 400);

    // The feedback knob's centre, (154 + 24, 400 - 202 - 24), dragged 30 points up.
    int x = 0, y = 0;
    ::Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), 178, 174, &x, &y, &child);
    XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XSync(dpy, False);
    for (int up = 5; up <= 30; up += 5) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        XTestFakeMotionEvent(dpy, -1, x, y - up, CurrentTime);
        XSync(dpy, False);
    }
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XSync(dpy, False);
    XCloseDisplay(dpy);

    const Finished finished = zvhostRun.get();
    EXPECT_EQ(finished.status, 0) << finished.output;
    EXPECT_NE(finished.output.find("editor of ZvDelay32 open"), std::string::npos)
        << finished.output;
    // 30 points up from step 22 (the nearest to a feedback of 0.215) is step 33 (shown with its
    // decimals truncated); nothing else moves.
    EXPECT_NE(finished.output.find("FeedBack: 0.329999"), std::string::npos) << finished.output;
    EXPECT_EQ(finished.output.find("Delay:"), std::string::npos) << finished.output;
}

TEST(ZvhostEditor, SavesAPictureOfTheEditor) {
    const std::string path = testing::TempDir() + "zvhost-editor.png";
    std::remove(path.c_str());
    const Finished finished = run(zvhost() + " --program Canyon --png " + path);
    ASSERT_EQ(finished.status, 0) << finished.output;
    cairo_surface_t* picture = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(picture), 344);
    EXPECT_EQ(cairo_image_surface_get_height(picture), 400);
    cairo_surface_destroy(picture);
    std::remove(path.c_str());
}

TEST(ZvhostEditor, RefusesAnUnknownOptionAsABadCommandLine) {
    EXPECT_EQ(run(zvhost() + " --frobnicate 2>/dev/null").status, 2);
    EXPECT_EQ(run(zvhost() + " --close-after soon 2>/dev/null").status, 2);
}
