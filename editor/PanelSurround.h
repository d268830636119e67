// What a host's window shows where it is larger than the editor (a host that lets its window be
// resized although the editor's size is fixed): the panel's own graded background, with the
// editor in the top-left corner where hosts expect it, so no host's white or grey shows beside
// the panel. It covers the host's area, never less than the editor, and follows it.
//
// Some hosts fit their window to the plug-in's window, plus a margin of their own, whenever the
// plug-in's window changes size. Following such a host's window would grow both without end, so
// a change of the host's area that answers the surround's own change (the host kept the margin it
// had over the surround, or took the one it answered with before, in a direction the surround just
// changed in) is not followed: the host is only fitting itself to the surround, which already
// shows the host's choice.
#pragma once

#include <memory>
#include <optional>

#include "View.h"

class PanelSurround : public ui::View {
public:
    // Holds `editorView` in its top-left corner; starts at the editor's size.
    explicit PanelSurround(std::shared_ptr<ui::View> editorView);

    // Covers `area` (a host's view), or the editor where that is larger.
    void fit(ui::Size area);
    // The host's area changed: fits it, unless the change only answers the surround's own.
    void superviewResized(ui::Size size) override;
    void draw(ui::Rect dirtyRect) override;

    ui::View& editor() const { return *editorView; }

private:
    bool answersOwnChange(ui::Size area) const;

    std::shared_ptr<ui::View> editorView;
    ui::Size editorSize;
    // The surround's last change of size, until the host's area next changes: its size before,
    // and how much larger than that the host's area was when it asked for the change.
    struct OwnChange {
        ui::Size before;
        ui::Size hostMargin;
    };
    std::optional<OwnChange> unanswered;
    // How much larger than the surround the host made its window when it last answered.
    std::optional<ui::Size> answerMargin;
};
