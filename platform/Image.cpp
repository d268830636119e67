#include "Image.h"

#include <algorithm>
#include <cmath>

#include "CurrentCanvas.h"
#include "EmbeddedResources.h"

namespace ui {

Image::Image(std::string name, std::string type)
    : resourceName(std::move(name)), resourceType(std::move(type)) {
    ordinary.name = resourceName;
    dense.name = resourceName + "@2x";
}

Image::~Image() = default;

bool Image::exists() const { return findEmbeddedResource(resourceName, resourceType) != nullptr; }

bool Image::isDecoded() const { return ordinary.decoded != nullptr; }

const DecodedPicture* Image::decode(const Lazy& picture) const {
    if (picture.tried) return picture.decoded.get();
    // A missing or broken picture is looked for once; drawing it then costs nothing.
    picture.tried = true;
    const EmbeddedResource* resource = findEmbeddedResource(picture.name, resourceType);
    if (resource == nullptr || resource->bytes == nullptr) return nullptr;
    picture.decoded = decodePng(resource->bytes, resource->size);
    return picture.decoded.get();
}

Size Image::size() const {
    const DecodedPicture* picture = decode(ordinary);
    if (picture == nullptr) return {};
    return {static_cast<double>(picture->width()), static_cast<double>(picture->height())};
}

void Image::drawInRect(Rect rect, Rect fromRect, CompositingOperation operation,
                       double fraction) const {
    Canvas* canvas = currentCanvas();
    if (canvas == nullptr || rect.isEmpty()) return;
    const DecodedPicture* picture = decode(ordinary);
    if (picture == nullptr) return;

    const Size whole = size();
    Rect source = fromRect.isEmpty() ? Rect{Point{}, whole} : fromRect;
    // More than one device pixel to the point: draw from the picture made for that density.
    if (canvas->pixelsPerPoint() > 1.0 + 1e-9) {
        if (const DecodedPicture* sharp = decode(dense)) {
            const double ratio = sharp->width() / std::max(whole.width, 1.0);
            picture = sharp;
            source = {source.minX() * ratio, source.minY() * ratio, source.size.width * ratio,
                      source.size.height * ratio};
        }
    }
    canvas->drawPicture(*picture, source, rect, operation, fraction);
}

}  // namespace ui
