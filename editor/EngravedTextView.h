// A line of lettering pressed into the panel, as the background's own lettering is, set against
// the right edge of the view: for words the background cannot carry because they depend on how
// the editor runs (the plug-in format's name in the header).
#pragma once

#include <string>

#include "FaceColours.h"
#include "StrokeFont.h"
#include "View.h"

class EngravedTextView : public ui::View {
public:
    // `baseline`: from the view's top edge down.
    EngravedTextView(ui::Rect frame, std::string text, TextStyle style, Colour colour,
                     double baseline);

    const std::string& text() const { return _text; }
    void draw(ui::Rect dirtyRect) override;

private:
    std::string _text;
    TextStyle style;
    Colour colour;
    double baseline;
};
