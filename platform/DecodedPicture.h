// A picture decoded into pixels by the drawing library the plug-in is built with, ready for a
// Canvas of that library to draw.
#pragma once

#include <cstddef>
#include <memory>

namespace ui {

class DecodedPicture {
public:
    virtual ~DecodedPicture() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

// The PNG in `bytes`, decoded; null when the bytes are no PNG the library can read. Each drawing
// library brings its own.
std::unique_ptr<DecodedPicture> decodePng(const unsigned char* bytes, std::size_t size);

}  // namespace ui
