// The VST 3 editor in a host's X window, under a virtual X server: the bundle is loaded as a host
// loads it, the view embedded with a run loop of the test's own (timers and the display's file
// descriptor, called back on this thread as a host's UI thread does). A drag must reach the host
// as one begin, performs and one end on that parameter alone; removing the view must take the
// editor out of the host's window.
#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "EditorLayout.h"
#include "Vst3Instance.h"
#include "Vst3Module.h"
#include "Vst3View.h"

// Last: Xlib's macros would clash with names in the headers above.
#include "HostWindow.h"

namespace {

template <typename Self, typename... Interfaces>
vst3::tresult answerFor(Self* self, const vst3::TUID id, void** object) {
    *object = nullptr;
    ((Interfaces::iid.is(id) ? (*object = static_cast<Interfaces*>(self), true) : false) || ...);
    if (*object == nullptr && vst3::FUnknown::iid.is(id)) *object = self;
    return *object != nullptr ? vst3::kResultOk : vst3::kNoInterface;
}

// The host's frame around the view, with its run loop.
class HostFrame final : public vst3::IPlugFrame, public vst3::IRunLoop {
public:
    vst3::tresult queryInterface(const vst3::TUID id, void** object) override {
        return answerFor<HostFrame, vst3::IPlugFrame, vst3::IRunLoop>(this, id, object);
    }
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    vst3::tresult resizeView(vst3::IPlugView* view, vst3::ViewRect* size) override {
        sizes.emplace_back(size->right - size->left, size->bottom - size->top);
        if (window != nullptr) {
            XResizeWindow(window->display(), window->id(),
                          static_cast<unsigned>(sizes.back().first),
                          static_cast<unsigned>(sizes.back().second));
            XSync(window->display(), False);
        }
        view->onSize(size);
        return vst3::kResultOk;
    }
    vst3::tresult registerEventHandler(vst3::IEventHandler* handler, int fd) override {
        watched.emplace_back(handler, fd);
        return vst3::kResultOk;
    }
    vst3::tresult unregisterEventHandler(vst3::IEventHandler* handler) override {
        std::erase_if(watched, [handler](const auto& entry) { return entry.first == handler; });
        return vst3::kResultOk;
    }
    vst3::tresult registerTimer(vst3::ITimerHandler* handler, vst3::uint64 ms) override {
        timers.push_back({handler, std::chrono::milliseconds(ms), Clock::now()});
        return vst3::kResultOk;
    }
    vst3::tresult unregisterTimer(vst3::ITimerHandler* handler) override {
        std::erase_if(timers, [handler](const Timer& timer) { return timer.handler == handler; });
        return vst3::kResultOk;
    }

    // The host's UI thread for `time`: descriptors that have something, then timers that are due.
    void runFor(std::chrono::milliseconds time) {
        const auto end = Clock::now() + time;
        while (Clock::now() < end) {
            std::vector<pollfd> fds;
            for (const auto& [handler, fd] : watched) fds.push_back({fd, POLLIN, 0});
            poll(fds.data(), fds.size(), 5);
            for (std::size_t i = 0; i < fds.size() && i < watched.size(); ++i) {
                if (fds[i].revents & POLLIN) watched[i].first->onFDIsSet(fds[i].fd);
            }
            for (std::size_t i = 0; i < timers.size(); ++i) {
                if (Clock::now() - timers[i].last >= timers[i].interval) {
                    timers[i].last = Clock::now();
                    timers[i].handler->onTimer();
                }
            }
        }
    }

    using Clock = std::chrono::steady_clock;
    struct Timer {
        vst3::ITimerHandler* handler;
        std::chrono::milliseconds interval;
        Clock::time_point last;
    };
    std::vector<Timer> timers;
    std::vector<std::pair<vst3::IEventHandler*, int>> watched;
    std::vector<std::pair<int, int>> sizes;
    HostWindow* window = nullptr;  // resized as the view asks
};

// The host's handler: what the editor told it, in order.
class EditLog final : public vst3::IComponentHandler {
public:
    vst3::tresult queryInterface(const vst3::TUID id, void** object) override {
        return answerFor<EditLog, vst3::IComponentHandler>(this, id, object);
    }
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }
    vst3::tresult beginEdit(vst3::ParamID id) override {
        edits.push_back("begin " + std::to_string(id));
        return vst3::kResultOk;
    }
    vst3::tresult performEdit(vst3::ParamID id, vst3::ParamValue) override {
        if (edits.empty() || edits.back() != "perform " + std::to_string(id)) {
            edits.push_back("perform " + std::to_string(id));
        }
        ++performs;
        return vst3::kResultOk;
    }
    vst3::tresult endEdit(vst3::ParamID id) override {
        edits.push_back("end " + std::to_string(id));
        return vst3::kResultOk;
    }
    vst3::tresult restartComponent(vst3::int32) override { return vst3::kResultOk; }

    std::vector<std::string> edits;  // repeated performs counted once
    int performs = 0;
};

struct EmbeddedEditor {
    explicit EmbeddedEditor(float scale = 0.0f) {
        instance.controller().setComponentHandler(&log);
        view = instance.controller().createView("editor");
        if (view == nullptr) throw std::runtime_error("no editor view");
        if (scale > 0.0f) {
            void* scaling = nullptr;
            view->queryInterface(vst3::IPlugViewContentScaleSupport::iid.data(), &scaling);
            static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->setContentScaleFactor(scale);
            static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->release();
        }
        view->getSize(&size);
        window = std::make_unique<HostWindow>(static_cast<unsigned>(size.right),
                                              static_cast<unsigned>(size.bottom));
        frame.window = window.get();
        view->setFrame(&frame);
    }
    ~EmbeddedEditor() {
        view->setFrame(nullptr);
        view->release();
        instance.controller().setComponentHandler(nullptr);
    }

    Vst3Module module{ZV_VST3_BUNDLE};
    Vst3Instance instance{module};
    EditLog log;
    HostFrame frame;
    vst3::IPlugView* view = nullptr;
    vst3::ViewRect size{};
    std::unique_ptr<HostWindow> window;
};

}  // namespace

TEST(Vst3Editor, ShownInTheHostsWindowADragIsOneEditAndRemovedItIsGone) {
    EmbeddedEditor editor;
    EXPECT_EQ(editor.size.right, layout::viewWidth);
    EXPECT_EQ(editor.size.bottom, layout::viewHeight);
    ASSERT_EQ(editor.view->isPlatformTypeSupported("X11EmbedWindowID"), vst3::kResultOk);
    ASSERT_EQ(
        editor.view->attached(reinterpret_cast<void*>(editor.window->window), "X11EmbedWindowID"),
        vst3::kResultOk);
    ASSERT_EQ(editor.frame.timers.size(), 1u) << "no timer on the host's run loop";
    ASSERT_EQ(editor.frame.watched.size(), 1u) << "the display's events are not watched";
    editor.frame.runFor(std::chrono::milliseconds(200));
    const auto children = editor.window->children();
    ASSERT_EQ(children.size(), 1u);
    const XWindowAttributes attributes = editor.window->attributesOf(children[0]);
    EXPECT_EQ(attributes.width, layout::viewWidth);
    EXPECT_EQ(attributes.height, layout::viewHeight);

    // The user drags the feedback knob up: begin, performs, end, on feedback alone.
    const layout::Frame* feedBack = nullptr;
    for (const auto& knob : layout::knobs) {
        if (knob.parameter == 1) feedBack = &knob.frame;
    }
    ASSERT_NE(feedBack, nullptr);
    const double before = editor.instance.controller().getParamNormalized(1);
    const int x = feedBack->x + feedBack->width / 2, y = feedBack->top() + feedBack->height / 2;
    editor.window->movePointer(x, y);
    editor.window->button(true);
    for (int up = 5; up <= 30; up += 5) {
        editor.window->movePointer(x, y - up);
        editor.frame.runFor(std::chrono::milliseconds(20));
    }
    editor.window->button(false);
    editor.frame.runFor(std::chrono::milliseconds(100));
    EXPECT_EQ(editor.log.edits, (std::vector<std::string>{"begin 1", "perform 1", "end 1"}));
    EXPECT_GT(editor.log.performs, 1);
    EXPECT_GT(editor.instance.controller().getParamNormalized(1), before);

    ASSERT_EQ(editor.view->removed(), vst3::kResultOk);
    EXPECT_TRUE(editor.frame.timers.empty());
    EXPECT_TRUE(editor.frame.watched.empty());
    EXPECT_TRUE(editor.window->children().empty()) << "the editor stayed in the host's window";
}

TEST(Vst3Editor, TheHostsContentScaleGivesTheWindowItsPixelsAndTheHostHearsTheNewSize) {
    EmbeddedEditor editor(2.0f);
    EXPECT_EQ(editor.size.right, 2 * layout::viewWidth);
    EXPECT_EQ(editor.size.bottom, 2 * layout::viewHeight);
    ASSERT_EQ(
        editor.view->attached(reinterpret_cast<void*>(editor.window->window), "X11EmbedWindowID"),
        vst3::kResultOk);
    editor.frame.runFor(std::chrono::milliseconds(100));
    auto children = editor.window->children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(editor.window->attributesOf(children[0]).width, 2 * layout::viewWidth);

    // Moved to a screen of lower density while shown: the editor follows, the host is asked.
    void* scaling = nullptr;
    editor.view->queryInterface(vst3::IPlugViewContentScaleSupport::iid.data(), &scaling);
    static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->setContentScaleFactor(1.5f);
    static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->release();
    EXPECT_EQ(editor.frame.sizes, (std::vector<std::pair<int, int>>{{516, 600}}));
    editor.frame.runFor(std::chrono::milliseconds(100));
    children = editor.window->children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(editor.window->attributesOf(children[0]).height, 600);
    editor.view->removed();
}
