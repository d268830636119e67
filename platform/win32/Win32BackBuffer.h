// The picture of a surface kept in memory: a top-down 32-bit DIB section selected into a memory
// device context, premultiplied BGRA as Direct2D draws it. The window is painted from it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace ui::win32 {

class Win32BackBuffer {
public:
    // `width` by `height` pixels, transparent; isUsable is false when it cannot be made.
    Win32BackBuffer(int width, int height);
    ~Win32BackBuffer();
    Win32BackBuffer(const Win32BackBuffer&) = delete;
    Win32BackBuffer& operator=(const Win32BackBuffer&) = delete;

    bool isUsable() const { return bits != nullptr; }
    HDC deviceContext() const { return memory; }
    int width() const { return columns; }
    int height() const { return rows; }
    // Pixel (x, y), rows from the top, as 0xAARRGGBB premultiplied; 0 outside.
    std::uint32_t pixel(int x, int y) const;

private:
    HDC memory = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ formerBitmap = nullptr;
    void* bits = nullptr;
    int columns;
    int rows;
};

}  // namespace ui::win32
