#include "win32/Win32BackBuffer.h"

#include <cstring>

namespace ui::win32 {

Win32BackBuffer::Win32BackBuffer(int width, int height) : columns(width), rows(height) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows from the top, as the surface counts them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    memory = CreateCompatibleDC(nullptr);
    if (memory == nullptr) return;
    bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        bits = nullptr;
        return;
    }
    formerBitmap = SelectObject(memory, bitmap);
}

Win32BackBuffer::~Win32BackBuffer() {
    if (memory != nullptr && formerBitmap != nullptr) SelectObject(memory, formerBitmap);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (memory != nullptr) DeleteDC(memory);
}

std::uint32_t Win32BackBuffer::pixel(int x, int y) const {
    if (bits == nullptr || x < 0 || y < 0 || x >= columns || y >= rows) return 0;
    GdiFlush();
    std::uint32_t value = 0;
    std::memcpy(&value,
                static_cast<const unsigned char*>(bits) +
                    (static_cast<std::size_t>(y) * static_cast<std::size_t>(columns) +
                     static_cast<std::size_t>(x)) *
                        4,
                sizeof value);
    return value;
}

}  // namespace ui::win32
