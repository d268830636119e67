// The LV2 editor in a host's X window, end to end under a virtual X server: the UI library is
// loaded as a host loads it and reached only through its descriptor. A knob dragged with the
// pointer must reach the host as a write to that knob's port alone, inside touch; a value the
// host sends must move the control on screen and never come back.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "EditorLayout.h"
#include "FactoryPrograms.h"
#include "Lv2Identity.h"
#include "ParameterFields.h"

// Last: Xlib's macros would clash with names in the headers above.
#include "FittingHost.h"

namespace {

// What the UI told the host.
struct HostLog {
    std::vector<std::pair<std::uint32_t, float>> writes;
    std::vector<std::pair<std::uint32_t, bool>> touches;
    std::vector<std::pair<int, int>> sizes;
};

void writeFunction(LV2UI_Controller controller, std::uint32_t port, std::uint32_t size,
                   std::uint32_t format, const void* buffer) {
    if (size == sizeof(float) && format == 0) {
        static_cast<HostLog*>(controller)
            ->writes.emplace_back(port, *static_cast<const float*>(buffer));
    }
}
void touch(LV2UI_Feature_Handle handle, std::uint32_t port, bool grabbed) {
    static_cast<HostLog*>(handle)->touches.emplace_back(port, grabbed);
}
int resize(LV2UI_Feature_Handle handle, int width, int height) {
    static_cast<HostLog*>(handle)->sizes.emplace_back(width, height);
    return 0;
}

// The host's URIs as numbers: their place in a list, from 1.
LV2_URID mapUri(LV2_URID_Map_Handle handle, const char* uri) {
    auto* uris = static_cast<std::vector<std::string>*>(handle);
    for (std::size_t i = 0; i < uris->size(); ++i) {
        if ((*uris)[i] == uri) return static_cast<LV2_URID>(i + 1);
    }
    uris->push_back(uri);
    return static_cast<LV2_URID>(uris->size());
}

// The host: its own top-level window (on a display connection of its own), and the UI library.
class UiHost {
public:
    UiHost() : library(dlopen(ZV_LV2_UI_PATH, RTLD_NOW | RTLD_LOCAL)) {
        if (library == nullptr) throw std::runtime_error(dlerror());
        auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(std::uint32_t)>(
            dlsym(library, "lv2ui_descriptor"));
        descriptor = entry != nullptr ? entry(0) : nullptr;
    }
    ~UiHost() {
        if (handle != nullptr) descriptor->cleanup(handle);
        dlclose(library);
    }

    // With `scale`, the host passes ui:scaleFactor among its options.
    void instantiate(std::optional<float> scale = std::nullopt) {
        LV2UI_Touch touchFeature{&log, touch};
        touchData = touchFeature;
        resizeData = LV2UI_Resize{&log, resize};
        const LV2_Feature parent{LV2_UI__parent, window.handle()};
        const LV2_Feature touching{LV2_UI__touch, &touchData};
        const LV2_Feature resizing{LV2_UI__resize, &resizeData};
        LV2_URID_Map map{&uris, mapUri};
        const float factor = scale.value_or(1.0f);
        const LV2_Options_Option options[] = {
            {LV2_OPTIONS_INSTANCE, 0, map.map(&uris, LV2_UI__scaleFactor), sizeof factor,
             map.map(&uris, LV2_ATOM__Float), &factor},
            {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
        const LV2_Feature mapping{LV2_URID__map, &map};
        const LV2_Feature optionList{LV2_OPTIONS__options,
                                     const_cast<LV2_Options_Option*>(options)};
        std::vector<const LV2_Feature*> features{&parent, &touching, &resizing};
        if (scale) {
            features.push_back(&mapping);
            features.push_back(&optionList);
        }
        features.push_back(nullptr);
        handle = descriptor->instantiate(descriptor, lv2id::kPluginUri, "", writeFunction, &log,
                                         &widget, features.data());
        idle = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
    }
    // As a host sends each control port's value after instantiating the UI.
    void sendPort(int parameter, float value) {
        descriptor->port_event(handle, lv2id::controlPort(parameter), sizeof value, 0, &value);
    }
    void idleFor(std::chrono::milliseconds time) {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            for (; echoWritesBack && echoed < log.writes.size(); ++echoed) {
                const auto [port, value] = log.writes[echoed];
                descriptor->port_event(handle, port, sizeof value, 0, &value);
            }
            idle->idle(handle);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    // The pixels of a control's frame as the server shows them.
    std::vector<Rgb> pixels(const layout::Frame& frame) const {
        return window.pixels(frame.x, frame.top(), frame.width, frame.height);
    }

    HostWindow window{500, 450};
    void* library;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    LV2UI_Touch touchData{};
    LV2UI_Resize resizeData{};
    std::vector<std::string> uris;
    HostLog log;
    // Like Ardour, send every value the UI writes back to it at the next idle.
    bool echoWritesBack = false;
    std::size_t echoed = 0;
};

const layout::Frame& knobFrame(ParameterIndex parameter) {
    for (const auto& knob : layout::knobs) {
        if (knob.parameter == parameter) return knob.frame;
    }
    throw std::logic_error("no knob");
}

}  // namespace

TEST(Lv2Ui, ShowsItselfInTheHostsWindowAndTalksOnlyThroughPorts) {
    UiHost host;
    ASSERT_NE(host.descriptor, nullptr);
    EXPECT_STREQ(host.descriptor->URI, lv2id::kUiUri);
    host.instantiate();
    ASSERT_NE(host.handle, nullptr);
    ASSERT_NE(host.idle, nullptr);
    ASSERT_NE(host.descriptor->extension_data(LV2_UI__showInterface), nullptr);

    // One child window, the widget, at the top-left corner; the host heard the editor's size.
    // The host's window is larger than the editor: the child fills it, the panel's background
    // beside and below the editor, never the host's white.
    const auto children = host.window.children();
    ASSERT_EQ(children.size(), 1u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(host.widget), children[0]);
    const XWindowAttributes attributes = host.window.attributesOf(children[0]);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(attributes.width, 500);
    EXPECT_EQ(attributes.height, 450);
    EXPECT_EQ(host.log.sizes,
              (std::vector<std::pair<int, int>>{{layout::viewWidth, layout::viewHeight}}));
    host.idleFor(std::chrono::milliseconds(200));
    for (const Rgb beyond :
         {host.window.pixels(420, 50, 1, 1)[0], host.window.pixels(100, 430, 1, 1)[0]}) {
        EXPECT_LT(beyond.red + beyond.green + beyond.blue, 3 * 70) << "white beside the editor";
    }

    for (int index = 0; index < kNumParams; ++index) {
        host.sendPort(index, parameter_fields::load(kFactoryPrograms[0].values, index));
    }
    host.idleFor(std::chrono::milliseconds(300));
    EXPECT_TRUE(host.log.writes.empty()) << "port events were written back";

    // The host moves the delay: the knob turns on screen, and nothing goes back.
    const layout::Frame& delay = knobFrame(kDelay);
    const std::vector<Rgb> delayBefore = host.pixels(delay);
    host.sendPort(kDelay, 1.0f);
    host.idleFor(std::chrono::milliseconds(300));
    EXPECT_NE(host.pixels(delay), delayBefore);
    EXPECT_TRUE(host.log.writes.empty()) << "a port event was written back";

    // The user drags the feedback knob up: writes to the feedback port only, inside one touch.
    const layout::Frame& feedBack = knobFrame(kFeedBack);
    const int x = feedBack.x + feedBack.width / 2, y = feedBack.top() + feedBack.height / 2;
    host.window.movePointer(x, y);
    host.window.button(true);
    for (int up = 5; up <= 30; up += 5) {
        host.window.movePointer(x, y - up);
        host.idleFor(std::chrono::milliseconds(20));
    }
    host.window.button(false);
    host.idleFor(std::chrono::milliseconds(100));
    ASSERT_FALSE(host.log.writes.empty()) << "the drag reached no port";
    const std::uint32_t feedBackPort = lv2id::controlPort(kFeedBack);
    for (const auto& [port, value] : host.log.writes) EXPECT_EQ(port, feedBackPort);
    EXPECT_GT(host.log.writes.back().second,
              parameter_fields::load(kFactoryPrograms[0].values, kFeedBack));
    const std::vector<std::pair<std::uint32_t, bool>> touched{{feedBackPort, true},
                                                              {feedBackPort, false}};
    EXPECT_EQ(host.log.touches, touched);

    host.descriptor->cleanup(host.handle);
    host.handle = nullptr;
    EXPECT_TRUE(host.window.children().empty()) << "the editor's window outlived the UI";
}

// A host on a high-density screen passes its scale: the child window has the pixels for it and
// the host hears that size.
TEST(Lv2Ui, TheHostsScaleFactorGivesTheChildWindowItsPixels) {
    UiHost host;
    host.instantiate(1.5f);
    ASSERT_NE(host.handle, nullptr);
    const auto children = host.window.children();
    ASSERT_EQ(children.size(), 1u);
    const XWindowAttributes attributes = host.window.attributesOf(children[0]);
    EXPECT_EQ(attributes.width, 516);
    EXPECT_EQ(attributes.height, 600);
    EXPECT_EQ(host.log.sizes, (std::vector<std::pair<int, int>>{{516, 600}}));
}

// A host that sends every written value back before its next idle, as Ardour does, must see the
// very drag a quiet host sees: a knob dragged point by point moves as far, through the same
// values, and nothing more is written.
TEST(Lv2Ui, AHostThatEchoesEveryWriteSeesTheSameDragAsAQuietHost) {
    const auto drag = [](bool echo) {
        UiHost host;
        host.echoWritesBack = echo;
        host.instantiate();
        for (int index = 0; index < kNumParams; ++index) {
            host.sendPort(index, parameter_fields::load(kFactoryPrograms[0].values, index));
        }
        host.idleFor(std::chrono::milliseconds(100));
        const layout::Frame& feedBack = knobFrame(kFeedBack);
        const int x = feedBack.x + feedBack.width / 2, y = feedBack.top() + feedBack.height / 2;
        host.window.movePointer(x, y);
        host.window.button(true);
        for (int up = 1; up <= 40; ++up) {
            host.window.movePointer(x, y - up);
            host.idleFor(std::chrono::milliseconds(15));
        }
        host.window.button(false);
        host.idleFor(std::chrono::milliseconds(100));
        return host.log.writes;
    };
    const auto quiet = drag(false);
    ASSERT_GE(quiet.size(), 10u) << "the drag moved the knob too little to tell";
    EXPECT_EQ(drag(true), quiet);
}

// A host that fits its window to the UI's plus a margin whenever the UI's window changes (a toolbar
// wider than the editor, 6 pixels below it): after the first second the UI's window keeps its size
// for half a minute, where following the host's window would grow it every round.
TEST(Lv2Ui, AHostThatFitsItsWindowToTheUisSeesTheUiKeepItsSize) {
    UiHost host;
    host.instantiate();
    ASSERT_NE(host.handle, nullptr);
    FittingHost fitting(host.window, 392, 6);
    const auto fitAndIdleFor = [&](std::chrono::milliseconds time) {
        fitting.fitFor(time, [&](std::chrono::milliseconds idle) { host.idleFor(idle); });
    };
    fitAndIdleFor(std::chrono::seconds(1));
    const auto settled = fitting.pluginSize();
    EXPECT_LE(settled.second, 500);  // the host's first window, with the margin once or twice
    for (int second = 1; second < 30; ++second) {
        fitAndIdleFor(std::chrono::seconds(1));
        ASSERT_EQ(fitting.pluginSize(), settled) << "after " << second + 1 << " s";
    }
}
