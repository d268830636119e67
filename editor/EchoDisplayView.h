// The display in the header, drawn while the editor runs: the echoes the current settings make,
// and over them, while a control is turned or pointed at, that control's readout. It is told
// every parameter change and draws again only when one changes what it shows.
#pragma once

#include <optional>

#include "EchoTrain.h"
#include "ParameterReadout.h"
#include "Shapes.h"
#include "View.h"

class EchoDisplayView : public ui::View {
public:
    explicit EchoDisplayView(ui::Rect frame);

    // The parameter's current value; a value it already has changes nothing.
    void setParameter(int index, float value);
    const echo_train::ParameterValues& parameters() const { return values; }

    // Shows `shown` over the echoes until another readout or hideReadout.
    void showReadout(const readout::Readout& shown);
    void hideReadout();
    const std::optional<readout::Readout>& readout() const { return shownReadout; }

    void draw(ui::Rect dirtyRect) override;

private:
    echo_train::ParameterValues values{};
    std::optional<readout::Readout> shownReadout;
    // The echoes' shapes as last drawn, kept until a parameter or the pixel density changes.
    ui::ShapeList echoShapes;
    double echoShapesScale = 0.0;  // 0: to be made again
};
