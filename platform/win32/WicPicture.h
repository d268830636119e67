// A decoded picture held as premultiplied BGRA rows, the form Direct2D draws, decoded by the
// Windows Imaging Component.
#pragma once

#include <cstdint>
#include <vector>

#include "DecodedPicture.h"

namespace ui::win32 {

class WicPicture : public DecodedPicture {
public:
    WicPicture(int width, int height, std::vector<std::uint8_t> premultipliedBgra);

    int width() const override { return columns; }
    int height() const override { return rows; }
    // Four bytes to the pixel, blue first, rows from the top, no padding.
    const std::vector<std::uint8_t>& pixels() const { return bytes; }
    // Tells this picture from every other one made in the process, even one at the same address
    // later, so drawing surfaces can keep what they made from it.
    std::uint64_t serial() const { return number; }

private:
    int columns;
    int rows;
    std::vector<std::uint8_t> bytes;
    std::uint64_t number;
};

}  // namespace ui::win32
