#include "headless/HeadlessSurface.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "cairo/CairoCanvas.h"
#include "headless/HeadlessDesktop.h"

namespace ui::headless {

HeadlessSurface::HeadlessSurface(std::shared_ptr<View> root, double scale)
    : ViewSurface(std::move(root), scale) {
    setBackgroundColor(Color::transparent());
    makePicture();
    Desktop::shared().addSurface(this);
}

HeadlessSurface::~HeadlessSurface() {
    Desktop::shared().removeSurface(this);
    cairo_surface_destroy(picture);
}

void HeadlessSurface::makePicture() {
    cairo_surface_t* fresh = cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, std::max(pixelWidth(), 1), std::max(pixelHeight(), 1));
    if (picture != nullptr) {
        // Keep what was drawn where the sizes overlap, as a window keeps its content.
        cairo_t* cr = cairo_create(fresh);
        cairo_set_source_surface(cr, picture, 0.0, 0.0);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_destroy(picture);
    }
    picture = fresh;
}

bool HeadlessSurface::redrawIfNeeded() {
    if (!isDisplayDue()) return false;
    cairo_t* cr = cairo_create(picture);
    cairo::CairoCanvas canvas(cr);
    const PixelRect drawn = display(canvas);
    cairo_destroy(cr);
    cairo_surface_flush(picture);
    if (drawn.isEmpty()) return false;
    ++cycles;
    return true;
}

void HeadlessSurface::displayAll() {
    cairo_t* cr = cairo_create(picture);
    cairo::CairoCanvas canvas(cr);
    ViewSurface::displayAll(canvas);
    cairo_destroy(cr);
    cairo_surface_flush(picture);
    ++cycles;
}

Pixel HeadlessSurface::pixelAtPixel(int x, int y) const {
    const int width = cairo_image_surface_get_width(picture);
    const int height = cairo_image_surface_get_height(picture);
    if (x < 0 || y < 0 || x >= width || y >= height) return {};
    const unsigned char* row =
        cairo_image_surface_get_data(picture) +
        static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(picture);
    std::uint32_t argb = 0;
    std::memcpy(&argb, row + 4 * x, sizeof argb);
    const int alpha = static_cast<int>(argb >> 24);
    auto straight = [alpha](std::uint32_t premultiplied) {
        if (alpha == 0) return 0;
        return static_cast<int>(
            std::lround(static_cast<double>(premultiplied & 0xffu) * 255.0 / alpha));
    };
    return {straight(argb >> 16), straight(argb >> 8), straight(argb), alpha};
}

Pixel HeadlessSurface::pixelAt(Point location) const {
    const Rect frame = root().frame();
    const double column = std::floor((location.x - frame.minX()) * scale());
    const double row = std::ceil((frame.maxY() - location.y) * scale()) - 1.0;
    if (!std::isfinite(column) || !std::isfinite(row) || column < 0.0 || row < 0.0 ||
        column >= pixelWidth() || row >= pixelHeight()) {
        return {};
    }
    return pixelAtPixel(static_cast<int>(column), static_cast<int>(row));
}

bool HeadlessSurface::savePng(const std::string& path) const {
    return cairo_surface_write_to_png(picture, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool HeadlessSurface::isInKeyWindow() const { return keyWindow; }

void HeadlessSurface::activateWindow() {
    ++activationCount;
    keyWindow = true;
}

void HeadlessSurface::rootFrameChanged() { makePicture(); }

}  // namespace ui::headless
