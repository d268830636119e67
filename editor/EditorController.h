// The controller of the editor's view: it builds the background, the seven knobs and the two
// switches where the editor's layout puts them, sets them from the host side's parameters, and
// carries values both ways. When a control moves, it sends that control's parameter, and only
// that one, as a gesture the host hears of: a knob drag from its first step to the release, a
// switch click at once. When a parameter changes by another route, it sets the one matching
// control. The display in the header pictures the echoes of the current values and shows the
// readout of the control being moved or pointed at; the header letters the plug-in format.
#pragma once

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "ControlListener.h"
#include "EchoDisplayView.h"
#include "EditorLayout.h"
#include "EngravedTextView.h"
#include "Knob.h"
#include "LoopSwitch.h"
#include "ReadoutTimer.h"
#include "View.h"
#include "WheelGesture.h"

class EditorHost;

class EditorController final : public ControlListener {
public:
    // Fills `view`: background, knobs, switches, in that order. `host` may be null: the controls
    // then start at zero and change nothing.
    EditorController(ui::View& view, EditorHost* host);

    // From now on the controls change nothing (the host side is going away).
    void detachHost() { host = nullptr; }

    using Clock = std::chrono::steady_clock;

    void knobTurned(int parameter, std::int32_t step) override;
    void knobReleased(int parameter) override;
    void switchClicked(int parameter, int state) override;
    void knobPressed(int parameter) override;
    // A notch is a step of the wheel's gesture on that knob: it begins at the first notch and
    // ends once the wheel rests (see tick) or at the next other action.
    void knobWheeled(int parameter, std::int32_t step) override;
    // Back to the loaded program's value, as a gesture of its own.
    void knobResetAsked(int parameter) override;
    void pointerEntered(int parameter) override;
    void pointerLeft(int parameter) override;
    // A press on no control: an action of its own, which ends the wheel's gesture.
    void pressedElsewhere();
    // Ends the gesture under way, if any.
    void endGesture();
    // The passing of time, at every idle of the host: a wheel at rest ends its gesture, a
    // readout whose time is up goes.
    void tick();
    // Where the time comes from (tests set their own).
    void setClock(std::function<Clock::time_point()> source) { clock = std::move(source); }
    // A value that arrived for parameter `index` (the host's automation, a program, the effect's
    // rate): its control follows, unless the value is this editor's own change coming back.
    // Other indexes change nothing.
    void showParameter(int index, float value);

    // The knob of parameter `index`; null for a switch or an index outside 0 to 8.
    Knob* knobForParameter(int index) const;
    // The switch of parameter `index`; null for a knob or an index outside 0 to 8.
    LoopSwitch* switchForParameter(int index) const;
    EchoDisplayView* echoDisplay() const { return display.get(); }
    EngravedTextView* formatLabel() const { return format.get(); }

private:
    void createBackground();
    void createDisplay();
    void createKnobs();
    void createSwitches();
    void beginGesture(int parameter);
    void send(int parameter, float value);
    // The readout the timer asks for at `now`, from the current values.
    void showReadout(Clock::time_point now);
    // Whether `value` is this editor's own last change of `index`, handed back to it.
    bool isOwnChangeComingBack(int index, float value);

    ui::View& view;  // owns this controller
    EditorHost* host;
    // In the layout's order.
    std::array<std::shared_ptr<Knob>, layout::knobs.size()> knobs;
    std::array<std::shared_ptr<LoopSwitch>, layout::switches.size()> switches;
    std::shared_ptr<EchoDisplayView> display;
    std::shared_ptr<EngravedTextView> format;
    ReadoutTimer readouts;
    WheelGesture wheel;
    std::function<Clock::time_point()> clock = [] { return Clock::now(); };
    // The parameter of the gesture under way (a knob's drag or its wheel), -1 between gestures.
    int gestureParameter = -1;
    // The value this editor sent last for each parameter, until any other value arrives there.
    std::array<std::optional<float>, kNumParams> sent{};
};
