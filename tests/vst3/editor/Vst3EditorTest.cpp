// The VST 3 editor in a host's X window, under a virtual X server: the bundle is loaded as a host
// loads it, the view embedded with a run loop of the test's own (timers and the display's file
// descriptor, called back on this thread as a host's UI thread does). A drag must reach the host
// as one begin, performs and one end on that parameter alone; removing the view must take the
// editor out of the host's window.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "EditorLayout.h"
#include "HostRunLoop.h"
#include "Vst3Instance.h"
#include "Vst3Module.h"
#include "Vst3View.h"

// Last: Xlib's macros would clash with names in the headers above.
#include "HostWindow.h"

namespace {

// The host's handler: what the editor told it, in order.
class EditLog final : public vst3::IComponentHandler {
public:
    vst3::tresult queryInterface(const vst3::TUID id, void** object) override {
        const bool known = vst3::FUnknown::iid.is(id) || vst3::IComponentHandler::iid.is(id);
        *object = known ? this : nullptr;
        return known ? vst3::kResultOk : vst3::kNoInterface;
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

// The host's UI thread for `time`.
void runFor(HostRunLoop& loop, std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < end) loop.runOnce(std::chrono::milliseconds(5));
}

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
        frame.resizeWindow = [this](int width, int height) {
            XResizeWindow(window->display(), window->id(), static_cast<unsigned>(width),
                          static_cast<unsigned>(height));
            XSync(window->display(), False);
        };
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
    HostRunLoop frame;
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
    ASSERT_EQ(editor.frame.timerCount(), 1u) << "no timer on the host's run loop";
    ASSERT_EQ(editor.frame.watchedCount(), 1u) << "the display's events are not watched";
    runFor(editor.frame, std::chrono::milliseconds(200));
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
        runFor(editor.frame, std::chrono::milliseconds(20));
    }
    editor.window->button(false);
    runFor(editor.frame, std::chrono::milliseconds(100));
    EXPECT_EQ(editor.log.edits, (std::vector<std::string>{"begin 1", "perform 1", "end 1"}));
    EXPECT_GT(editor.log.performs, 1);
    EXPECT_GT(editor.instance.controller().getParamNormalized(1), before);

    ASSERT_EQ(editor.view->removed(), vst3::kResultOk);
    EXPECT_EQ(editor.frame.timerCount(), 0u);
    EXPECT_EQ(editor.frame.watchedCount(), 0u);
    EXPECT_TRUE(editor.window->children().empty()) << "the editor stayed in the host's window";
}

TEST(Vst3Editor, TheHostsContentScaleGivesTheWindowItsPixelsAndTheHostHearsTheNewSize) {
    EmbeddedEditor editor(2.0f);
    EXPECT_EQ(editor.size.right, 2 * layout::viewWidth);
    EXPECT_EQ(editor.size.bottom, 2 * layout::viewHeight);
    ASSERT_EQ(
        editor.view->attached(reinterpret_cast<void*>(editor.window->window), "X11EmbedWindowID"),
        vst3::kResultOk);
    runFor(editor.frame, std::chrono::milliseconds(100));
    auto children = editor.window->children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(editor.window->attributesOf(children[0]).width, 2 * layout::viewWidth);

    // Moved to a screen of lower density while shown: the editor follows, the host is asked.
    void* scaling = nullptr;
    editor.view->queryInterface(vst3::IPlugViewContentScaleSupport::iid.data(), &scaling);
    static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->setContentScaleFactor(1.5f);
    static_cast<vst3::IPlugViewContentScaleSupport*>(scaling)->release();
    EXPECT_EQ(editor.frame.sizesAsked(), (std::vector<std::pair<int, int>>{{516, 600}}));
    runFor(editor.frame, std::chrono::milliseconds(100));
    children = editor.window->children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(editor.window->attributesOf(children[0]).height, 600);
    editor.view->removed();
}
