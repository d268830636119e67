#include "win32/Direct2DResources.h"

namespace ui::win32 {

namespace {

const D2D1_PIXEL_FORMAT kPremultipliedBgra{DXGI_FORMAT_B8G8R8A8_UNORM,
                                           D2D1_ALPHA_MODE_PREMULTIPLIED};

}  // namespace

Direct2DResources::Direct2DResources() {
    if (FAILED(D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, __uuidof(ID2D1Factory), nullptr,
                                 reinterpret_cast<void**>(d2d.receive())))) {
        return;
    }
    // At 96 dots per inch Direct2D's units are the surface's pixels: the canvas does the scaling.
    D2D1_RENDER_TARGET_PROPERTIES properties{};
    properties.type = D2D1_RENDER_TARGET_TYPE_DEFAULT;
    properties.pixelFormat = kPremultipliedBgra;
    properties.dpiX = 96.0f;
    properties.dpiY = 96.0f;
    properties.usage = D2D1_RENDER_TARGET_USAGE_NONE;
    properties.minLevel = D2D1_FEATURE_LEVEL_DEFAULT;
    if (FAILED(d2d->CreateDCRenderTarget(&properties, target.receive()))) return;
    D2D1_STROKE_STYLE_PROPERTIES stroke{};
    stroke.startCap = D2D1_CAP_STYLE_ROUND;
    stroke.endCap = D2D1_CAP_STYLE_ROUND;
    stroke.dashCap = D2D1_CAP_STYLE_ROUND;
    stroke.lineJoin = D2D1_LINE_JOIN_ROUND;
    stroke.miterLimit = 10.0f;
    stroke.dashStyle = D2D1_DASH_STYLE_SOLID;
    if (FAILED(d2d->CreateStrokeStyle(&stroke, nullptr, 0, round.receive()))) target.reset();
}

ID2D1DCRenderTarget* Direct2DResources::bind(HDC deviceContext, const RECT& area) {
    if (!target || FAILED(target->BindDC(deviceContext, &area))) return nullptr;
    return target.get();
}

ID2D1Bitmap* Direct2DResources::bitmapOf(const WicPicture& picture) {
    if (!target) return nullptr;
    auto known = bitmaps.find(picture.serial());
    if (known != bitmaps.end()) return known->second.get();
    D2D1_BITMAP_PROPERTIES properties{kPremultipliedBgra, 96.0f, 96.0f};
    ComPointer<ID2D1Bitmap> bitmap;
    const D2D1_SIZE_U size{static_cast<UINT32>(picture.width()),
                           static_cast<UINT32>(picture.height())};
    if (FAILED(target->CreateBitmap(size, picture.pixels().data(), size.width * 4, &properties,
                                    bitmap.receive()))) {
        return nullptr;
    }
    return bitmaps.emplace(picture.serial(), std::move(bitmap)).first->second.get();
}

}  // namespace ui::win32
