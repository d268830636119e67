#include "WaveformPicture.h"

#include "HostError.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace zvhost {

namespace {

constexpr double kMarginLeft = 110.0;
constexpr double kMarginRight = 20.0;
constexpr double kTitleHeight = 40.0;
constexpr double kAxisHeight = 30.0;
constexpr double kLaneGap = 10.0;

struct Colour {
    double red, green, blue;
};
constexpr Colour kInputColour{0.22, 0.42, 0.69};
constexpr Colour kOutputColour{0.85, 0.37, 0.01};

struct Lane {
    const char* label;
    const std::vector<float>* samples;
    Colour colour;
};

void setColour(cairo_t* cr, Colour colour, double alpha = 1.0) {
    cairo_set_source_rgba(cr, colour.red, colour.green, colour.blue, alpha);
}

void drawText(cairo_t* cr, double x, double y, const std::string& text, double size) {
    cairo_set_font_size(cr, size);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, text.c_str());
}

// The smallest and largest sample under each column of pixels, drawn as a vertical line.
void drawLane(cairo_t* cr, const Lane& lane, std::size_t totalFrames, double top, double height,
              double width) {
    cairo_set_source_rgb(cr, 0.96, 0.96, 0.96);
    cairo_rectangle(cr, kMarginLeft, top, width, height);
    cairo_fill(cr);

    const double middle = top + height / 2.0;
    cairo_set_source_rgb(cr, 0.75, 0.75, 0.75);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, kMarginLeft, middle + 0.5);
    cairo_line_to(cr, kMarginLeft + width, middle + 0.5);
    cairo_stroke(cr);

    const std::vector<float>& samples = *lane.samples;
    const auto columns = static_cast<std::size_t>(width);
    setColour(cr, lane.colour);
    for (std::size_t column = 0; column < columns && totalFrames > 0; ++column) {
        const std::size_t first = column * totalFrames / columns;
        const std::size_t last = std::max(first + 1, (column + 1) * totalFrames / columns);
        if (first >= samples.size()) break;
        float low = 0.0f, high = 0.0f;
        for (std::size_t i = first; i < std::min(last, samples.size()); ++i) {
            low = std::min(low, samples[i]);
            high = std::max(high, samples[i]);
        }
        // Full scale fills the lane; louder samples are drawn at the edge.
        const double y0 = middle - std::clamp(static_cast<double>(high), -1.0, 1.0) * height / 2.0;
        const double y1 = middle - std::clamp(static_cast<double>(low), -1.0, 1.0) * height / 2.0;
        const double x = kMarginLeft + static_cast<double>(column) + 0.5;
        cairo_move_to(cr, x, y0);
        cairo_line_to(cr, x, std::max(y1, y0 + 1.0));
    }
    cairo_stroke(cr);

    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    drawText(cr, 10.0, middle + 5.0, lane.label, 14.0);
}

void drawTimeAxis(cairo_t* cr, std::size_t totalFrames, int sampleRate, double top, double width) {
    const double seconds = static_cast<double>(totalFrames) / sampleRate;
    const double step = seconds > 20.0 ? 5.0 : seconds > 5.0 ? 1.0 : 0.5;
    cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
    cairo_set_line_width(cr, 1.0);
    for (double t = 0.0; t <= seconds + 1e-9; t += step) {
        const double x = std::round(kMarginLeft + t / seconds * width) + 0.5;
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x, top + 6.0);
        cairo_stroke(cr);
        char text[32];
        std::snprintf(text, sizeof text, "%g s", t);
        drawText(cr, x - 10.0, top + 20.0, text, 12.0);
    }
}

}  // namespace

void drawWaveformPicture(const Audio& input, const Audio& output, const std::string& title,
                         const std::string& path) {
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, kPictureWidth, kPictureHeight),
        cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> context(cairo_create(surface.get()),
                                                               cairo_destroy);
    cairo_t* cr = context.get();

    cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_paint(cr);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    drawText(cr, 10.0, 26.0, title, 18.0);
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);

    const Lane lanes[] = {{"input L", &input.left, kInputColour},
                          {"input R", &input.right, kInputColour},
                          {"output L", &output.left, kOutputColour},
                          {"output R", &output.right, kOutputColour}};
    const double width = kPictureWidth - kMarginLeft - kMarginRight;
    const double laneHeight = (kPictureHeight - kTitleHeight - kAxisHeight - 3 * kLaneGap) / 4.0;
    const std::size_t totalFrames = std::max(input.frames(), output.frames());
    double top = kTitleHeight;
    for (const Lane& lane : lanes) {
        drawLane(cr, lane, totalFrames, top, laneHeight, width);
        top += laneHeight + kLaneGap;
    }
    drawTimeAxis(cr, totalFrames, std::max(output.sampleRate, 1), top - kLaneGap + 2.0, width);

    cairo_surface_flush(surface.get());
    const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS) {
        std::remove(path.c_str());
        throw HostError(ExitStatus::output,
                        "cannot write " + path + ": " + cairo_status_to_string(status));
    }
}

}  // namespace zvhost
