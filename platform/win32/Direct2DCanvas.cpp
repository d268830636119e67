#include "win32/Direct2DCanvas.h"

#include <algorithm>
#include <cmath>

namespace ui::win32 {

namespace {

D2D1_COLOR_F colorOf(Color color) {
    return {static_cast<float>(color.red), static_cast<float>(color.green),
            static_cast<float>(color.blue), static_cast<float>(color.alpha)};
}

D2D1_POINT_2F pointOf(Point point) {
    return {static_cast<float>(point.x), static_cast<float>(point.y)};
}

D2D1_RECT_F rectOf(Rect rect) {
    return {static_cast<float>(rect.minX()), static_cast<float>(rect.minY()),
            static_cast<float>(rect.maxX()), static_cast<float>(rect.maxY())};
}

D2D1_RECT_F intersect(D2D1_RECT_F a, D2D1_RECT_F b) {
    D2D1_RECT_F both{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                     std::min(a.bottom, b.bottom)};
    if (both.right < both.left) both.right = both.left;
    if (both.bottom < both.top) both.bottom = both.top;
    return both;
}

bool isEmpty(D2D1_RECT_F rect) { return !(rect.right > rect.left) || !(rect.bottom > rect.top); }

D2D1_MATRIX_3X2_F offsetMatrix(float dx, float dy) { return {1.0f, 0.0f, 0.0f, 1.0f, dx, dy}; }

constexpr D2D1_COLOR_F kTransparent{0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace

Direct2DCanvas::Direct2DCanvas(Direct2DResources& drawing, ID2D1RenderTarget* target,
                               int pixelWidth, int pixelHeight)
    : resources(drawing),
      clipBox{0.0f, 0.0f, static_cast<float>(pixelWidth), static_cast<float>(pixelHeight)} {
    Level surface;
    surface.target = target;
    levels.push_back(std::move(surface));
    if (target == nullptr) {
        failed = true;
        finished = true;
        return;
    }
    target->BeginDraw();
    applyTransform();
}

Direct2DCanvas::~Direct2DCanvas() { finish(); }

bool Direct2DCanvas::finish() {
    if (finished) return !failed;
    finished = true;
    while (levels.size() > 1) endLayer();
    while (levels.back().clips > 0) popClip();
    if (FAILED(levels.back().target->EndDraw())) failed = true;
    return !failed;
}

ID2D1RenderTarget* Direct2DCanvas::drawable() {
    if (finished || isEmpty(clipBox)) return nullptr;
    return levels.back().target;
}

D2D1_MATRIX_3X2_F Direct2DCanvas::matrixOnLevel(const Level& level) const {
    return {static_cast<float>(scaleX),
            0.0f,
            0.0f,
            static_cast<float>(scaleY),
            static_cast<float>(offsetX) - level.box.left,
            static_cast<float>(offsetY) - level.box.top};
}

void Direct2DCanvas::applyTransform() {
    if (ID2D1RenderTarget* target = levels.back().target) {
        const D2D1_MATRIX_3X2_F matrix = matrixOnLevel(levels.back());
        target->SetTransform(&matrix);
    }
}

void Direct2DCanvas::save() {
    saved.push_back(
        {scaleX, scaleY, offsetX, offsetY, clipBox, levels.size(), levels.back().clips});
}

void Direct2DCanvas::restore() {
    if (saved.empty()) return;
    const State state = saved.back();
    saved.pop_back();
    while (levels.size() > state.levels) endLayer();
    while (levels.back().clips > state.clips) popClip();
    scaleX = state.scaleX;
    scaleY = state.scaleY;
    offsetX = state.offsetX;
    offsetY = state.offsetY;
    clipBox = state.clipBox;
    applyTransform();
}

void Direct2DCanvas::translate(double dx, double dy) {
    offsetX += dx * scaleX;
    offsetY += dy * scaleY;
    applyTransform();
}

void Direct2DCanvas::scale(double sx, double sy) {
    scaleX *= sx;
    scaleY *= sy;
    applyTransform();
}

void Direct2DCanvas::clipToRect(Rect rect) { pushClip(rect); }

// Clips are pushed in the level's pixels, worked out here, so that they do not depend on how
// Direct2D turns a rectangle through a flipping transform.
void Direct2DCanvas::pushClip(Rect rect) {
    const double x1 = rect.minX() * scaleX + offsetX, x2 = rect.maxX() * scaleX + offsetX;
    const double y1 = rect.minY() * scaleY + offsetY, y2 = rect.maxY() * scaleY + offsetY;
    const D2D1_RECT_F pixels{
        static_cast<float>(std::min(x1, x2)), static_cast<float>(std::min(y1, y2)),
        static_cast<float>(std::max(x1, x2)), static_cast<float>(std::max(y1, y2))};
    clipBox = intersect(clipBox, pixels);
    Level& level = levels.back();
    ++level.clips;
    if (level.target == nullptr) return;
    const D2D1_MATRIX_3X2_F shift = offsetMatrix(-level.box.left, -level.box.top);
    level.target->SetTransform(&shift);
    level.target->PushAxisAlignedClip(pixels, D2D1_ANTIALIAS_MODE_PER_PRIMITIVE);
    applyTransform();
}

void Direct2DCanvas::popClip() {
    Level& level = levels.back();
    if (level.clips == 0) return;
    --level.clips;
    if (level.target != nullptr) level.target->PopAxisAlignedClip();
}

void Direct2DCanvas::beginLayer() {
    Level layer;
    const D2D1_RECT_F box{std::floor(clipBox.left), std::floor(clipBox.top),
                          std::ceil(clipBox.right), std::ceil(clipBox.bottom)};
    ID2D1RenderTarget* parent = levels.back().target;
    layer.box = box;
    if (parent != nullptr && !finished && !isEmpty(box)) {
        const D2D1_SIZE_F size{box.right - box.left, box.bottom - box.top};
        const D2D1_SIZE_U pixels{static_cast<UINT32>(size.width), static_cast<UINT32>(size.height)};
        if (SUCCEEDED(parent->CreateCompatibleRenderTarget(
                &size, &pixels, nullptr, D2D1_COMPATIBLE_RENDER_TARGET_OPTIONS_NONE,
                layer.layer.receive()))) {
            layer.target = layer.layer.get();
            layer.target->BeginDraw();
            layer.target->Clear(&kTransparent);
        }
    }
    levels.push_back(std::move(layer));
    applyTransform();
}

void Direct2DCanvas::endLayer() {
    if (levels.size() <= 1) return;
    while (levels.back().clips > 0) popClip();
    Level layer = std::move(levels.back());
    levels.pop_back();
    if (layer.layer) {
        ComPointer<ID2D1Bitmap> gathered;
        if (FAILED(layer.layer->EndDraw()) || FAILED(layer.layer->GetBitmap(gathered.receive()))) {
            failed = true;
        } else if (ID2D1RenderTarget* parent = levels.back().target) {
            const Level& under = levels.back();
            const D2D1_MATRIX_3X2_F shift = offsetMatrix(-under.box.left, -under.box.top);
            parent->SetTransform(&shift);
            parent->DrawBitmap(gathered.get(), &layer.box, 1.0f,
                               D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR, nullptr);
        }
    }
    applyTransform();
}

ID2D1SolidColorBrush* Direct2DCanvas::brush(Color color) {
    const D2D1_COLOR_F wanted = colorOf(color);
    if (solid) {
        solid->SetColor(&wanted);
        return solid.get();
    }
    // Made on the surface's target, it serves the layers made from that target as well.
    if (FAILED(levels.front().target->CreateSolidColorBrush(&wanted, nullptr, solid.receive()))) {
        return nullptr;
    }
    return solid.get();
}

ID2D1PathGeometry* Direct2DCanvas::path(std::span<const Point> points, bool closed) {
    ID2D1Factory* factory = resources.factory();
    if (factory == nullptr || FAILED(factory->CreatePathGeometry(geometry.receive()))) {
        return nullptr;
    }
    ComPointer<ID2D1GeometrySink> sink;
    if (FAILED(geometry->Open(sink.receive()))) return nullptr;
    sink->BeginFigure(pointOf(points.front()),
                      closed ? D2D1_FIGURE_BEGIN_FILLED : D2D1_FIGURE_BEGIN_HOLLOW);
    for (std::size_t i = 1; i < points.size(); ++i) sink->AddLine(pointOf(points[i]));
    // A single point still shows, as a dot as wide as the line.
    if (points.size() == 1) sink->AddLine(pointOf(points.front()));
    sink->EndFigure(closed ? D2D1_FIGURE_END_CLOSED : D2D1_FIGURE_END_OPEN);
    if (FAILED(sink->Close())) return nullptr;
    return geometry.get();
}

void Direct2DCanvas::fillRect(Rect rect, Color color, CompositingOperation operation) {
    ID2D1RenderTarget* target = drawable();
    if (target == nullptr || rect.isEmpty()) return;
    if (operation == CompositingOperation::SourceOver) {
        if (ID2D1SolidColorBrush* paint = brush(color)) {
            const D2D1_RECT_F area = rectOf(rect);
            target->FillRectangle(&area, paint);
        }
        return;
    }
    // Copy replaces what lies beneath: clear inside the rectangle, to the colour.
    save();
    pushClip(rect);
    if (drawable() != nullptr) {
        const D2D1_COLOR_F replacement = colorOf(color);
        target->Clear(&replacement);
    }
    restore();
}

void Direct2DCanvas::fillRoundedRect(Rect rect, double radius, Color color) {
    ID2D1RenderTarget* target = drawable();
    if (target == nullptr || rect.isEmpty()) return;
    const double r = std::min(radius, std::min(rect.size.width, rect.size.height) / 2.0);
    if (!(r > 0.0)) {
        fillRect(rect, color, CompositingOperation::SourceOver);
        return;
    }
    if (ID2D1SolidColorBrush* paint = brush(color)) {
        const D2D1_ROUNDED_RECT shape{rectOf(rect), static_cast<float>(r), static_cast<float>(r)};
        target->FillRoundedRectangle(&shape, paint);
    }
}

void Direct2DCanvas::fillEllipse(Rect bounds, Color color) {
    ID2D1RenderTarget* target = drawable();
    if (target == nullptr || bounds.isEmpty()) return;
    if (ID2D1SolidColorBrush* paint = brush(color)) {
        const D2D1_ELLIPSE shape{pointOf({bounds.minX() + bounds.size.width / 2.0,
                                          bounds.minY() + bounds.size.height / 2.0}),
                                 static_cast<float>(bounds.size.width / 2.0),
                                 static_cast<float>(bounds.size.height / 2.0)};
        target->FillEllipse(&shape, paint);
    }
}

void Direct2DCanvas::fillPolygon(std::span<const Point> corners, Color color) {
    ID2D1RenderTarget* target = drawable();
    if (target == nullptr || corners.size() < 3) return;
    ID2D1SolidColorBrush* paint = brush(color);
    ID2D1PathGeometry* shape = path(corners, true);
    if (paint != nullptr && shape != nullptr) target->FillGeometry(shape, paint, nullptr);
}

void Direct2DCanvas::strokePolyline(std::span<const Point> points, double width, Color color) {
    ID2D1RenderTarget* target = drawable();
    if (target == nullptr || points.empty() || !(width > 0.0)) return;
    // A line that never leaves its first point (a full stop) is a dot as wide as the line: its
    // round ends alone would draw it, but Direct2D leaves a stroke of no length out.
    if (std::all_of(points.begin(), points.end(), [&](Point p) { return p == points.front(); })) {
        const double radius = width / 2.0;
        fillEllipse(Rect{{points.front().x - radius, points.front().y - radius}, {width, width}},
                    color);
        return;
    }
    ID2D1SolidColorBrush* paint = brush(color);
    ID2D1PathGeometry* line = path(points, false);
    if (paint != nullptr && line != nullptr) {
        target->DrawGeometry(line, paint, static_cast<float>(width), resources.roundStroke());
    }
}

void Direct2DCanvas::drawPicture(const DecodedPicture& picture, Rect from, Rect to,
                                 CompositingOperation operation, double opacity) {
    if (drawable() == nullptr || to.isEmpty() || from.isEmpty()) return;
    ID2D1Bitmap* bitmap = resources.bitmapOf(static_cast<const WicPicture&>(picture));
    if (bitmap == nullptr) return;
    save();
    pushClip(to);
    ID2D1RenderTarget* target = drawable();
    if (target != nullptr && operation != CompositingOperation::SourceOver) {
        target->Clear(&kTransparent);
    }
    if (target != nullptr && opacity > 0.0) {
        // The picture's rows run downward from its top and the view measures upward: its pixel
        // (u, v) lands at (to.minX + (u - from.minX) * sx, to.maxY - (v - top) * sy).
        const double sx = to.size.width / from.size.width;
        const double sy = to.size.height / from.size.height;
        const double top = picture.height() - from.maxY();
        const Level& level = levels.back();
        const D2D1_MATRIX_3X2_F place{
            static_cast<float>(sx * scaleX),
            0.0f,
            0.0f,
            static_cast<float>(-sy * scaleY),
            static_cast<float>((to.minX() - from.minX() * sx) * scaleX + offsetX) - level.box.left,
            static_cast<float>((to.maxY() + top * sy) * scaleY + offsetY) - level.box.top};
        target->SetTransform(&place);
        const D2D1_RECT_F source{static_cast<float>(from.minX()), static_cast<float>(top),
                                 static_cast<float>(from.maxX()),
                                 static_cast<float>(top + from.size.height)};
        target->DrawBitmap(bitmap, &source, static_cast<float>(std::min(opacity, 1.0)),
                           D2D1_BITMAP_INTERPOLATION_MODE_LINEAR, &source);
    }
    restore();
}

}  // namespace ui::win32
