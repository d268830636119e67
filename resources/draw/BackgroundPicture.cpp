#include "BackgroundPicture.h"

#include "EchoDisplay.h"
#include "EditorLayout.h"
#include "Geometry.h"
#include "Lettering.h"
#include "Noise.h"
#include "Palette.h"
#include "Screw.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace {

constexpr double width = layout::viewWidth;
constexpr double height = layout::viewHeight;
constexpr double margin = 20.0;

void drawPanel(cairo_t* cr) {
    cairo_pattern_t* fill = cairo_pattern_create_linear(0.0, 0.0, 0.0, height);
    addStop(fill, 0.0, palette::panelTop);
    addStop(fill, 1.0, palette::panelBottom);
    cairo_rectangle(cr, 0.0, 0.0, width, height);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
}

// Horizontal brushing: fine grain smeared along each row, plus a faint shade per row.
void brushPanel(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int columns = cairo_image_surface_get_width(surface);
    const int rows = cairo_image_surface_get_height(surface);
    Noise noise(20240611u);
    for (int row = 0; row < rows; ++row) {
        const double rowShade = noise.next();
        double smeared = 0.0;
        auto* pixels = reinterpret_cast<std::uint32_t*>(data + row * stride);
        for (int column = 0; column < columns; ++column) {
            smeared = smeared * 0.8 + 0.2 * noise.next();
            const double offset = 4.0 * smeared + 1.0 * rowShade;
            const std::uint32_t pixel = pixels[column];
            auto channel = [&](int shift) {
                const double value = static_cast<double>((pixel >> shift) & 0xFFu) + offset;
                return static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 255L))
                       << shift;
            };
            pixels[column] = (pixel & 0xFF000000u) | channel(16) | channel(8) | channel(0);
        }
    }
    cairo_surface_mark_dirty(surface);
}

void drawVignette(cairo_t* cr) {
    cairo_pattern_t* shade = cairo_pattern_create_radial(width / 2.0, height * 0.45, 110.0,
                                                         width / 2.0, height * 0.45, 320.0);
    addStop(shade, 0.0, palette::black.withAlpha(0.0));
    addStop(shade, 1.0, palette::black.withAlpha(0.38));
    cairo_rectangle(cr, 0.0, 0.0, width, height);
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

void drawEdges(cairo_t* cr) {
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, 1.5, 1.5, width - 3.0, height - 3.0);
    setSource(cr, palette::white.withAlpha(0.07));
    cairo_stroke(cr);
    cairo_rectangle(cr, 0.5, 0.5, width - 1.0, height - 1.0);
    setSource(cr, palette::black.withAlpha(0.7));
    cairo_stroke(cr);
}

// Lettering pressed into the panel: a dark line under the light one.
void engrave(cairo_t* cr, std::string_view text, double x, double baseline, const TextStyle& style,
             Colour colour) {
    addTextPath(cr, text, x, baseline + 1.0, style);
    setSource(cr, palette::black.withAlpha(0.55));
    cairo_stroke(cr);
    addTextPath(cr, text, x, baseline, style);
    setSource(cr, colour);
    cairo_stroke(cr);
}

void engraveCentered(cairo_t* cr, std::string_view text, double centerX, double baseline,
                     const TextStyle& style, Colour colour) {
    engrave(cr, text, centerX - textWidth(text, style) / 2.0, baseline, style, colour);
}

void drawTitle(cairo_t* cr) {
    const TextStyle title{22.0, 3.2, 1.0, false};
    constexpr double baseline = 47.0;
    const double x = margin + 2.0;

    // Shadow, then the name in brushed silver and the number in the accent colour.
    addTextPath(cr, "ZvDelay32", x, baseline + 1.5, title);
    setSource(cr, palette::black.withAlpha(0.6));
    cairo_stroke(cr);
    cairo_pattern_t* silver = cairo_pattern_create_linear(0.0, baseline - 22.0, 0.0, baseline);
    addStop(silver, 0.0, rgb(250, 251, 253));
    addStop(silver, 0.55, rgb(206, 211, 219));
    addStop(silver, 1.0, rgb(150, 156, 166));
    addTextPath(cr, "ZvDelay", x, baseline, title);
    cairo_set_source(cr, silver);
    cairo_stroke(cr);
    cairo_pattern_destroy(silver);

    const double numberX = x + textWidth("ZvDelay32", title) - textWidth("32", title);
    addTextPath(cr, "32", numberX, baseline, title);
    cairo_set_line_width(cr, title.strokeWidth + 4.0);
    setSource(cr, palette::accent.withAlpha(0.12));
    cairo_stroke_preserve(cr);
    cairo_pattern_t* amber = cairo_pattern_create_linear(0.0, baseline - 22.0, 0.0, baseline);
    addStop(amber, 0.0, rgb(255, 196, 112));
    addStop(amber, 1.0, palette::accentDeep);
    cairo_set_line_width(cr, title.strokeWidth);
    cairo_set_source(cr, amber);
    cairo_stroke(cr);
    cairo_pattern_destroy(amber);

    const TextStyle subtitle{5.0, 1.0, 1.6, true};
    engrave(cr, "STEREO CROSS-FEEDBACK DELAY", x, 63.5, subtitle, palette::letteringDim);

    const TextStyle maker{7.0, 1.15, 0.6, true};
    const double makerRight = width - margin - 2.0;
    engrave(cr, "Zelvano Music", makerRight - textWidth("Zelvano Music", maker), 33.5, maker,
            palette::lettering);
    // Below the maker, the editor letters the name of the plug-in format it runs in.
}

// A groove across the panel with the name of the section set into it.
void drawSectionRule(cairo_t* cr, std::string_view name, double y) {
    const TextStyle style{5.0, 1.0, 2.0, true};
    const double nameWidth = textWidth(name, style);
    const double centerX = width / 2.0;
    const double gapLeft = std::floor(centerX - nameWidth / 2.0 - 8.0);
    const double gapRight = std::ceil(centerX + nameWidth / 2.0 + 8.0);
    cairo_set_line_width(cr, 1.0);
    for (auto [from, to] : {std::pair{margin, gapLeft}, std::pair{gapRight, width - margin}}) {
        cairo_move_to(cr, from, y + 0.5);
        cairo_line_to(cr, to, y + 0.5);
        setSource(cr, palette::black.withAlpha(0.55));
        cairo_stroke(cr);
        cairo_move_to(cr, from, y + 1.5);
        cairo_line_to(cr, to, y + 1.5);
        setSource(cr, palette::white.withAlpha(0.07));
        cairo_stroke(cr);
    }
    engraveCentered(cr, name, centerX, y + 3.5, style, palette::accent.withAlpha(0.85));
}

void drawControlLabels(cairo_t* cr) {
    const TextStyle label{6.0, 1.1, 0.9, true};
    for (const layout::Control& knob : layout::knobs) {
        engraveCentered(cr, knob.label, knob.frame.centerX(), knob.frame.bottom() + 12.5, label,
                        palette::lettering);
    }
    const TextStyle small{4.5, 1.0, 1.0, true};
    for (const layout::Control& button : layout::switches) {
        engraveCentered(cr, button.label, button.frame.centerX(), button.frame.top() - 4.5, small,
                        palette::letteringDim);
    }
    // The ends of the pan knob's travel.
    const layout::Frame& pan = layout::panKnob;
    engraveCentered(cr, "L", pan.x - 3.0, pan.bottom() - 1.5, small, palette::letteringDim);
    engraveCentered(cr, "R", pan.x + pan.width + 3.0, pan.bottom() - 1.5, small,
                    palette::letteringDim);
}

void drawScrews(cairo_t* cr) {
    drawScrew(cr, 11.0, 11.0, 15.0);
    drawScrew(cr, width - 11.0, 11.0, 62.0);
    drawScrew(cr, 11.0, height - 11.0, 38.0);
    drawScrew(cr, width - 11.0, height - 11.0, 81.0);
}

}  // namespace

void drawBackground(cairo_t* cr) {
    cairo_save(cr);
    drawPanel(cr);
    brushPanel(cairo_get_target(cr));
    drawVignette(cr);
    drawEdges(cr);
    drawTitle(cr);
    const layout::Frame& display = layout::echoDisplay;
    drawEchoDisplay(cr, display.x, display.top(), display.width, display.height);
    drawSectionRule(cr, "DELAY", 138.0);
    drawSectionRule(cr, "FILTER", 220.0);
    drawSectionRule(cr, "STEREO", 303.0);
    drawControlLabels(cr);
    drawScrews(cr);
    cairo_restore(cr);
}
