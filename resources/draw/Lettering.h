// The stroke font drawn with cairo: the pictures' lettering.
#pragma once

#include <cairo.h>

#include <string_view>

#include "StrokeFont.h"

double textWidth(std::string_view text, const TextStyle& style);

// Adds the strokes of the text to the current path, starting at x on the baseline. The caller
// strokes the path with its own source; the line width, caps and joins are set here. Every
// letter must have a glyph: a missing one is a mistake in this program.
void addTextPath(cairo_t* cr, std::string_view text, double x, double baseline,
                 const TextStyle& style);

void addCenteredTextPath(cairo_t* cr, std::string_view text, double centerX, double baseline,
                         const TextStyle& style);
