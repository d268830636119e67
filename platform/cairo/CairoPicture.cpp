#include "cairo/CairoPicture.h"

#include <cstring>

namespace ui {

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

}  // namespace

std::unique_ptr<DecodedPicture> decodePng(const unsigned char* bytes, std::size_t size) {
    if (bytes == nullptr) return nullptr;
    ByteReader reader{bytes, size};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_unique<cairo::CairoPicture>(surface);
}

}  // namespace ui
