// Values written the way the bundle's Turtle files need them.
#pragma once

#include <string>

namespace turtle {

// A decimal that reads back as exactly `value`: as a double, and so also narrowed to the
// single-precision value a host hands the plug-in. Always with a point or an exponent, so Turtle
// reads it as a number with a fraction, never as an integer.
std::string number(float value);

// A quoted string literal.
std::string text(const std::string& value);

}  // namespace turtle
