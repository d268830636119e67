// A surface in memory: the tree is drawn into an offscreen picture that tests read back or save
// as a PNG, and mouse events are injected by calling the surface.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "ViewSurface.h"

namespace ui::headless {

// One pixel as straight (not premultiplied) components from 0 to 255.
struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
    friend bool operator==(const Pixel&, const Pixel&) = default;
};

class HeadlessSurface : public ViewSurface {
public:
    // Shows `root` on its own, as if in an active window; the picture starts transparent.
    explicit HeadlessSurface(std::shared_ptr<View> root, double scale = 1.0);
    ~HeadlessSurface() override;

    // Runs a display cycle when one is due; returns whether anything was drawn.
    bool redrawIfNeeded();
    // Draws the whole tree now.
    void displayAll();
    // How many display cycles have drawn something.
    int displayCount() const { return cycles; }

    // The pixel under `location` (window coordinates) as last drawn; transparent outside.
    Pixel pixelAt(Point location) const;
    // The pixel in column x, row y (rows counted from the top).
    Pixel pixelAtPixel(int x, int y) const;
    // Writes the picture as drawn so far into a PNG file; false when it cannot be written.
    bool savePng(const std::string& path) const;

    // Whether presses come to an active window, and how often a press activated it.
    void setInKeyWindow(bool active) { keyWindow = active; }
    int activations() const { return activationCount; }

protected:
    bool isInKeyWindow() const override;
    void activateWindow() override;
    void rootFrameChanged() override;

private:
    void makePicture();

    cairo_surface_t* picture = nullptr;
    int cycles = 0;
    bool keyWindow = true;
    int activationCount = 0;
};

}  // namespace ui::headless
