#include "EchoDisplayView.h"

#include <bit>
#include <cstdint>

#include "EchoPicture.h"
#include "ReadoutPicture.h"

EchoDisplayView::EchoDisplayView(ui::Rect frame) : View(frame) {}

void EchoDisplayView::setParameter(int index, float value) {
    if (index < 0 || index >= kNumParams) return;
    float& held = values[static_cast<std::size_t>(index)];
    // Compared as bits: a NaN the host sends twice is no change either.
    if (std::bit_cast<std::uint32_t>(held) == std::bit_cast<std::uint32_t>(value)) return;
    held = value;
    echoShapesScale = 0.0;
    setNeedsRedraw(true);
}

void EchoDisplayView::showReadout(const readout::Readout& shown) {
    if (shownReadout == shown) return;
    shownReadout = shown;
    setNeedsRedraw(true);
}

void EchoDisplayView::hideReadout() {
    if (!shownReadout) return;
    shownReadout.reset();
    setNeedsRedraw(true);
}

void EchoDisplayView::draw(ui::Rect /*dirtyRect*/) {
    const double scale = ui::pixelsPerPointOfDrawing();
    if (echoShapesScale != scale) {
        echoShapes = echo_picture::echoPicture(values, bounds().size, scale);
        echoShapesScale = scale;
    }
    ui::drawShapes(echoShapes);
    if (shownReadout) {
        ui::drawShapes(readout_picture::readoutPicture(*shownReadout, bounds().size, scale));
    }
}
