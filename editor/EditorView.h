// The editor's whole face: a 344 by 400 point view holding the background, seven knobs and two
// switches, built and wired by its controller. It draws nothing of its own. It is where the host
// side's changes come in.
#pragma once

#include <memory>

#include "EditorController.h"
#include "View.h"

class EditorHost;

class EditorView : public ui::View {
public:
    // The view on `frame` with its controls, for `host` (may be null: the controls then change
    // nothing).
    EditorView(ui::Rect frame, EditorHost* host);

    EditorController& controller() { return _controller; }

    // Ends a gesture the user has not finished (the editor closes, or its window goes, while the
    // mouse button is still down), so the host does not wait for it for ever.
    void endGesture() { _controller.endGesture(); }
    // At every idle of the host: what changes with time (a wheel at rest, a readout's time up).
    void tick() { _controller.tick(); }
    // A press that reached no control.
    void mouseDown(const ui::MouseEvent& event) override;
    // The host side is going away: the controls change nothing from now on.
    void detachHost() { _controller.detachHost(); }

private:
    EditorController _controller;
};
