// A decoded picture held as a cairo image surface (premultiplied ARGB).
#pragma once

#include <cairo.h>

#include "DecodedPicture.h"

namespace ui::cairo {

class CairoPicture : public DecodedPicture {
public:
    // Takes over `surface`.
    explicit CairoPicture(cairo_surface_t* surface) : pixels(surface) {}
    ~CairoPicture() override { cairo_surface_destroy(pixels); }
    CairoPicture(const CairoPicture&) = delete;
    CairoPicture& operator=(const CairoPicture&) = delete;

    int width() const override { return cairo_image_surface_get_width(pixels); }
    int height() const override { return cairo_image_surface_get_height(pixels); }
    cairo_surface_t* surface() const { return pixels; }

private:
    cairo_surface_t* pixels;
};

}  // namespace ui::cairo
