// The Direct2D objects a surface keeps from one display cycle to the next: a render target that
// draws on a GDI device context (under wine, one on a window draws nothing in a child window), the
// stroke style of lines, and the bitmap made from each picture drawn so far.
#pragma once

#include <windows.h>

#include <d2d1.h>

#include <cstdint>
#include <map>

#include "win32/ComPointer.h"
#include "win32/WicPicture.h"

namespace ui::win32 {

class Direct2DResources {
public:
    // Null members when Direct2D is not there; isUsable tells.
    Direct2DResources();
    bool isUsable() const { return static_cast<bool>(target); }

    // The render target, bound to `area` (pixels) of `deviceContext`.
    ID2D1DCRenderTarget* bind(HDC deviceContext, const RECT& area);
    ID2D1Factory* factory() const { return d2d.get(); }
    // Round joins and round ends.
    ID2D1StrokeStyle* roundStroke() const { return round.get(); }
    // The bitmap of `picture` for the render target; null when it cannot be made.
    ID2D1Bitmap* bitmapOf(const WicPicture& picture);

private:
    ComPointer<ID2D1Factory> d2d;
    ComPointer<ID2D1DCRenderTarget> target;
    ComPointer<ID2D1StrokeStyle> round;
    std::map<std::uint64_t, ComPointer<ID2D1Bitmap>> bitmaps;
};

}  // namespace ui::win32
