#pragma once

#include <cairo.h>

#include <string_view>

// Lettering drawn as round-capped strokes of a small squared typeface kept in this program, so
// the pictures come out the same on every machine and the build needs no installed fonts.
// Glyphs are designed in units: the baseline at 0, capitals 10 high, lower case 7.
struct TextStyle {
    double capHeight = 7.0;     // pixels
    double strokeWidth = 1.1;   // pixels
    double tracking = 0.0;      // extra pixels between letters
    bool snapToPixels = false;  // centre straight strokes on pixel centres: crisp small labels
};

double textWidth(std::string_view text, const TextStyle& style);

// Adds the strokes of the text to the current path, starting at x on the baseline. The caller
// strokes the path with its own source; the line width, caps and joins are set here.
void addTextPath(cairo_t* cr, std::string_view text, double x, double baseline,
                 const TextStyle& style);

void addCenteredTextPath(cairo_t* cr, std::string_view text, double centerX, double baseline,
                         const TextStyle& style);
