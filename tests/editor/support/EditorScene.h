// The effect with its own editor on the in-memory desktop, and the main view on a surface of its
// own: helpers to open the editor, to turn knobs and click switches where a user would, and to
// read back what the controls show.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "EditorController.h"
#include "EditorView.h"
#include "EffectUnderTest.h"
#include "TestPictures.h"
#include "Vst2Editor.h"
#include "headless/HeadlessDesktop.h"
#include "headless/HeadlessSurface.h"

// Puts the in-memory desktop back to one 1440 by 900 main screen before anything is built.
struct FreshDesktop {
    FreshDesktop() { ui::headless::Desktop::shared().reset(); }
};

// The editor as the tests' assembly makes it, on the in-memory desktop.
AEffEditor* makeHeadlessEditor(DelayEffect& effect);

// The effect with its editor.
class EditedEffect : public EffectUnderTest {
public:
    explicit EditedEffect(audioMasterCallback host = nullptr)
        : EffectUnderTest(host, &makeHeadlessEditor) {}
};

// What the effect told its host about the user's gestures, in order.
struct HostMessage {
    VstInt32 opcode;  // audioMasterBeginEdit, audioMasterAutomate or audioMasterEndEdit
    VstInt32 index;
    float value;  // the automated value; 0 for begin and end
    friend bool operator==(const HostMessage&, const HostMessage&) = default;
};

// The effect with a record of every parameter written into it and of every gesture message it
// sent its host, in order, and the thread that sent the last one.
class WatchedEffect : public EditedEffect {
public:
    WatchedEffect() : EditedEffect(&WatchedEffect::hostCallback) {}
    std::vector<HostMessage> hostMessages;
    std::thread::id gestureThread;
    const char* hostProduct = nullptr;  // the name the host gives when asked; none by default

    struct Write {
        VstInt32 index;
        float value;
        friend bool operator==(const Write&, const Write&) = default;
    };
    void setParameter(VstInt32 index, float value) override {
        writes.push_back({index, value});
        EffectUnderTest::setParameter(index, value);
    }
    std::vector<VstInt32> indexesWritten() const {
        std::vector<VstInt32> all;
        for (const Write& w : writes) all.push_back(w.index);
        return all;
    }
    std::vector<Write> writes;

private:
    static VstIntPtr hostCallback(AEffect* record, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                  void* ptr, float opt) {
        const bool gesture = opcode == audioMasterAutomate || opcode == audioMasterBeginEdit ||
                             opcode == audioMasterEndEdit;
        if (record == nullptr || record->object == nullptr) return 0;
        auto* effect = static_cast<WatchedEffect*>(static_cast<AudioEffect*>(record->object));
        if (gesture) {
            effect->hostMessages.push_back(
                {opcode, index, opcode == audioMasterAutomate ? opt : 0});
            effect->gestureThread = std::this_thread::get_id();
        } else if (opcode == audioMasterGetProductString && effect->hostProduct != nullptr) {
            std::strcpy(static_cast<char*>(ptr), effect->hostProduct);
            return 1;
        } else if (opcode == audioMasterSizeWindow) {
            // The size asked for: the width as the index, the height as the value.
            effect->hostMessages.push_back({opcode, index, static_cast<float>(value)});
            return 1;
        }
        return opcode == audioMasterVersion ? 2400 : 0;
    }
};

template <typename Effect>
struct BasicEditorScene : FreshDesktop {
    Effect effect;

    Vst2Editor& editor() { return static_cast<Vst2Editor&>(*effect.getEditor()); }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return effect.dispatcher(opcode, index, value, ptr, opt);
    }
    ERect reportedRect() {
        ERect* rect = nullptr;
        EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
        return rect != nullptr ? *rect : ERect{-1, -1, -1, -1};
    }
    EditorView& view() { return *editor().view(); }
    EditorController& controller() { return view().controller(); }
    // The host sets the parameter of a knob, and idles the editor: the step that knob shows then.
    int knobStepAfterTheHostSets(int index, float value) {
        effect.setParameter(index, value);
        dispatch(effEditIdle);
        return controller().knobForParameter(index)->step();
    }
    // What a host's view shows: the panel's surround with the editor's view in it.
    ui::View* shownView() { return view().superview(); }
};

using EditorScene = BasicEditorScene<EditedEffect>;
// The same with a record of what the effect writes and tells its host (which allocates).
using WatchedEditorScene = BasicEditorScene<WatchedEffect>;

// The main view built on the effect as an open does, shown on a surface of its own.
struct MainViewScene : FreshDesktop {
    WatchedEffect effect;
    std::shared_ptr<EditorView> view;
    std::unique_ptr<ui::headless::HeadlessSurface> surface;

    MainViewScene() { rebuild(); }

    // A fresh view on the effect's current parameters, as the next open makes it.
    void rebuild() {
        surface.reset();
        view = std::make_shared<EditorView>(ui::Rect{0, 0, 344, 400}, &effect.editorSide());
        surface = std::make_unique<ui::headless::HeadlessSurface>(view);
        surface->displayAll();
        effect.writes.clear();
        effect.hostMessages.clear();
    }
    EditorController& controller() { return view->controller(); }

    static ui::Point centreOf(const ui::View& control) {
        const ui::Rect f = control.frame();
        return {f.minX() + f.size.width / 2.0, f.minY() + f.size.height / 2.0};
    }
    // A press on the knob, a drag `points` upward (negative: downward) and a release.
    void turn(const Knob& knob, double points) {
        const ui::Point at = centreOf(knob);
        surface->mouseDown(at);
        surface->mouseDragged({at.x, at.y + points});
        surface->mouseUp({at.x, at.y + points});
    }
    // A press on the knob, drag events `points` at a time up to `travel` points, and a release.
    void turnInSteps(const Knob& knob, double points, double travel) {
        const ui::Point at = centreOf(knob);
        surface->mouseDown(at);
        for (double moved = points; std::fabs(moved) <= std::fabs(travel); moved += points) {
            surface->mouseDragged({at.x, at.y + moved});
        }
        surface->mouseUp({at.x, at.y + travel});
    }
    void click(const LoopSwitch& toggle) {
        surface->mouseDown(centreOf(toggle));
        surface->mouseUp(centreOf(toggle));
    }
    static int step(const Knob* knob) { return knob->step(); }
    // The knob picture the surface shows at the knob's centre; -1 when it shows none.
    int pictureShown(const Knob* knob) {
        surface->redrawIfNeeded();
        const ui::headless::Pixel centre = surface->pixelAt(centreOf(*knob));
        if (centre.green != test_pictures::kKnobCentreGreen) return -1;
        return centre.red / 2;
    }
    // The value the effect holds for every parameter, 0 to 8.
    std::vector<float> parameters() { return effect.parameters(); }
};
