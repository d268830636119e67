// A canvas drawn by Direct2D on a render target whose units are pixels. It keeps its own
// transform (a scale and an offset: views only move and scale) and clip, and gathers a layer in a
// bitmap of its own the size of the clip, laid over what lies beneath when the layer ends.
#pragma once

#include <vector>

#include "Canvas.h"
#include "win32/Direct2DResources.h"

namespace ui::win32 {

class Direct2DCanvas : public Canvas {
public:
    // Begins drawing on `target`, `pixelWidth` by `pixelHeight`; finish() ends it.
    Direct2DCanvas(Direct2DResources& resources, ID2D1RenderTarget* target, int pixelWidth,
                   int pixelHeight);
    ~Direct2DCanvas() override;
    Direct2DCanvas(const Direct2DCanvas&) = delete;
    Direct2DCanvas& operator=(const Direct2DCanvas&) = delete;

    // Ends what is still begun and hands the pixels over; false when Direct2D failed.
    bool finish();

    double pixelsPerPoint() const override { return scaleX < 0 ? -scaleX : scaleX; }
    void save() override;
    void restore() override;
    void translate(double dx, double dy) override;
    void scale(double sx, double sy) override;
    void clipToRect(Rect rect) override;
    void beginLayer() override;
    void endLayer() override;
    void fillRect(Rect rect, Color color, CompositingOperation operation) override;
    void fillRoundedRect(Rect rect, double radius, Color color) override;
    void fillEllipse(Rect bounds, Color color) override;
    void fillPolygon(std::span<const Point> corners, Color color) override;
    void strokePolyline(std::span<const Point> points, double width, Color color) override;
    void drawPicture(const DecodedPicture& picture, Rect from, Rect to,
                     CompositingOperation operation, double opacity) override;

private:
    // A render target being drawn on: the surface's, or a layer's covering `box` of it.
    struct Level {
        ID2D1RenderTarget* target = nullptr;
        ComPointer<ID2D1BitmapRenderTarget> layer;
        D2D1_RECT_F box{};
        int clips = 0;
    };
    struct State {
        double scaleX, scaleY, offsetX, offsetY;
        D2D1_RECT_F clipBox;
        std::size_t levels;
        int clips;
    };

    ID2D1RenderTarget* drawable();
    D2D1_MATRIX_3X2_F matrixOnLevel(const Level& level) const;
    void applyTransform();
    void pushClip(Rect rect);
    void popClip();
    ID2D1SolidColorBrush* brush(Color color);
    ID2D1PathGeometry* path(std::span<const Point> points, bool closed);

    Direct2DResources& resources;
    double scaleX = 1.0, scaleY = 1.0, offsetX = 0.0, offsetY = 0.0;
    D2D1_RECT_F clipBox;
    std::vector<Level> levels;
    std::vector<State> saved;
    ComPointer<ID2D1SolidColorBrush> solid;
    ComPointer<ID2D1PathGeometry> geometry;
    bool failed = false;
    bool finished = false;
};

}  // namespace ui::win32
