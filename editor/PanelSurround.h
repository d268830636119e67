// What a host's window shows where it is larger than the editor (a host that lets its window be
// resized although the editor's size is fixed): the panel's own graded background, with the
// editor in the top-left corner where hosts expect it, so no host's white or grey shows beside
// the panel. It covers the host's area, never less than the editor, and follows it.
#pragma once

#include <memory>

#include "View.h"

class PanelSurround : public ui::View {
public:
    // Holds `editorView` in its top-left corner; starts at the editor's size.
    explicit PanelSurround(std::shared_ptr<ui::View> editorView);

    // Covers `area` (a host's view), or the editor where that is larger.
    void fit(ui::Size area);
    void superviewResized(ui::Size size) override;
    void draw(ui::Rect dirtyRect) override;

    ui::View& editor() const { return *editorView; }

private:
    std::shared_ptr<ui::View> editorView;
    ui::Size editorSize;
};
