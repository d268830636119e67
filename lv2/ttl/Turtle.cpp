#include "Turtle.h"

#include <charconv>

namespace turtle {

std::string number(float value) {
    // The shortest decimal for the double, not for the float: a host reads the literal as a
    // double and narrows it, and a float's shortest decimal could round twice on that way.
    char digits[32];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<double>(value)).ptr;
    std::string result(digits, end);
    if (result.find_first_of(".eEn") == std::string::npos) result += ".0";
    return result;
}

std::string text(const std::string& value) {
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace turtle
