// The editor's whole user interface: a 344 by 400 point view holding the background, seven knobs
// and two switches, built and wired by its controller. It draws nothing of its own. It is the
// one place where control changes reach the effect, and where the effect's changes come in.
#pragma once

#include <memory>

#include "View.h"

class EditorHost;
class EditorController;

class EditorView : public ui::View {
public:
    // The view on `frame`, for `effect` (may be null: the controls then change nothing).
    EditorView(ui::Rect frame, EditorHost* effect);
    ~EditorView() override;

    // Builds the controller, which builds the controls and sets them from the effect.
    void awakeFromNib();

    EditorHost* getEffect() const { return _effect; }
    void setEffect(EditorHost* effect) { _effect = effect; }
    EditorController* KnobView() const { return _knobView.get(); }

    // A control's value for parameter `index`, sent to the effect as part of the user's gesture
    // (the host hears of it; the editor does not get it back). A value the effect already holds
    // is not sent again: writing the delay time restarts the delay lines.
    void updateParameters(int index, float value);
    // Ends a gesture the user has not finished (the editor closes, or its window goes, while the
    // mouse button is still down), so the host does not wait for it for ever.
    void endGestures();
    // The effect's parameter `index` changed by another route: the matching control follows.
    void updateView(int index, float value);

private:
    EditorHost* _effect;
    // The view owns its controller; the controller only points back, so the tree is released as
    // soon as the last holder of the view lets go.
    std::unique_ptr<EditorController> _knobView;
};
