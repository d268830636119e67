// A picture among the plug-in's own resources, referenced by name and decoded the first time it
// is drawn, so that building a view tree costs no decoding. Where it is drawn on more pixels than
// it has (a high-density screen), the same picture drawn at twice the pixels, the resource named
// with "@2x", is used instead when there is one: drawn again for the density, not enlarged.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CompositingOperation.h"
#include "DecodedPicture.h"
#include "Geometry.h"

namespace ui {

class Image {
public:
    // The resource `name` of `type` ("png"); an empty type takes the picture of any type.
    explicit Image(std::string name, std::string type = {});
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Whether a resource of that name and type exists; looks it up without decoding it.
    bool exists() const;
    // Whether the picture has been decoded (it is, once drawn at one pixel to the point).
    bool isDecoded() const;
    // The picture's size in points (decoding it); nothing when the resource is missing or broken.
    Size size() const;

    // Draws `fromRect` of the picture (an empty rectangle: the whole picture) scaled into `rect`
    // of the view being drawn, with `operation` at the opacity `fraction` (1 is opaque). Does
    // nothing outside a view's draw, or when the resource is missing or cannot be decoded.
    void drawInRect(Rect rect, Rect fromRect, CompositingOperation operation,
                    double fraction) const;

private:
    // One resource, decoded once on first use.
    struct Lazy {
        std::string name;
        mutable std::unique_ptr<DecodedPicture> decoded;
        mutable bool tried = false;
    };
    const DecodedPicture* decode(const Lazy& picture) const;

    std::string resourceName;
    std::string resourceType;
    Lazy ordinary;
    Lazy dense;  // the "@2x" resource
};

// An ordered list of pictures, such as the frames of a turning knob.
using ImageList = std::vector<std::shared_ptr<Image>>;

}  // namespace ui
