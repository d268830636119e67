#include "Image.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "DrawingContext.h"
#include "EmbeddedResources.h"

namespace ui {

struct Image::Decoded {
    cairo_surface_t* surface = nullptr;
    ~Decoded() { cairo_surface_destroy(surface); }
};

namespace {

struct ByteReader {
    const unsigned char* next;
    std::size_t left;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<ByteReader*>(closure);
    if (length > reader->left) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->next, length);
    reader->next += length;
    reader->left -= length;
    return CAIRO_STATUS_SUCCESS;
}

cairo_operator_t cairoOperator(CompositingOperation operation) {
    switch (operation) {
        case CompositingOperation::Clear:
            return CAIRO_OPERATOR_CLEAR;
        case CompositingOperation::Copy:
            return CAIRO_OPERATOR_SOURCE;
        case CompositingOperation::SourceOver:
            return CAIRO_OPERATOR_OVER;
    }
    return CAIRO_OPERATOR_OVER;
}

}  // namespace

Image::Image(std::string name, std::string type)
    : resourceName(std::move(name)), resourceType(std::move(type)) {
    ordinary.name = resourceName;
    dense.name = resourceName + "@2x";
}

Image::~Image() = default;

bool Image::exists() const { return findEmbeddedResource(resourceName, resourceType) != nullptr; }

bool Image::isDecoded() const { return ordinary.decoded != nullptr; }

const Image::Decoded* Image::decode(const Lazy& picture) const {
    if (picture.tried) return picture.decoded.get();
    // A missing or broken picture is looked for once; drawing it then costs nothing.
    picture.tried = true;
    const EmbeddedResource* resource = findEmbeddedResource(picture.name, resourceType);
    if (resource == nullptr || resource->bytes == nullptr) return nullptr;
    ByteReader reader{resource->bytes, resource->size};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    picture.decoded = std::make_unique<Decoded>();
    picture.decoded->surface = surface;
    return picture.decoded.get();
}

Size Image::size() const {
    const Decoded* picture = decode(ordinary);
    if (picture == nullptr) return {};
    return {static_cast<double>(cairo_image_surface_get_width(picture->surface)),
            static_cast<double>(cairo_image_surface_get_height(picture->surface))};
}

void Image::drawInRect(Rect rect, Rect fromRect, CompositingOperation operation,
                       double fraction) const {
    cairo_t* cr = drawing::current();
    if (cr == nullptr || rect.isEmpty()) return;
    if (decode(ordinary) == nullptr) return;

    const Size whole = size();
    Rect source = fromRect.isEmpty() ? Rect{Point{}, whole} : fromRect;
    const Decoded* picture = ordinary.decoded.get();
    // More than one device pixel to the point: draw from the picture made for that density.
    double pixelsPerPoint = 1.0;
    double unused = 0.0;
    cairo_user_to_device_distance(cr, &pixelsPerPoint, &unused);
    if (std::fabs(pixelsPerPoint) > 1.0 + 1e-9) {
        if (const Decoded* sharp = decode(dense)) {
            const double ratio =
                cairo_image_surface_get_width(sharp->surface) / std::max(whole.width, 1.0);
            picture = sharp;
            source = {source.minX() * ratio, source.minY() * ratio, source.size.width * ratio,
                      source.size.height * ratio};
        }
    }
    const double pictureHeight = cairo_image_surface_get_height(picture->surface);
    cairo_save(cr);
    cairo_rectangle(cr, rect.minX(), rect.minY(), rect.size.width, rect.size.height);
    cairo_clip(cr);
    // The view measures upward from its bottom edge and the picture's rows run downward from its
    // top: place the picture's top-left corner at the rectangle's top-left and flip it.
    cairo_translate(cr, rect.minX(), rect.maxY());
    cairo_scale(cr, rect.size.width / source.size.width, -rect.size.height / source.size.height);
    cairo_set_source_surface(cr, picture->surface, -source.minX(),
                             -(pictureHeight - source.maxY()));
    // Repeat the edge pixels instead of fading them into transparency when scaling.
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_set_operator(cr, cairoOperator(operation));
    if (fraction >= 1.0) {
        cairo_paint(cr);
    } else {
        cairo_paint_with_alpha(cr, fraction);
    }
    cairo_restore(cr);
}

}  // namespace ui
