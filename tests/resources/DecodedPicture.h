#pragma once

#include "EmbeddedResources.h"

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

// An embedded PNG decoded with cairo, as the editor decodes it, with its pixels at hand.
class DecodedPicture {
public:
    explicit DecodedPicture(const EmbeddedResource& resource) : _unread(resource) {
        _surface = cairo_image_surface_create_from_png_stream(&DecodedPicture::read, this);
    }
    ~DecodedPicture() { cairo_surface_destroy(_surface); }
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;

    bool valid() const { return cairo_surface_status(_surface) == CAIRO_STATUS_SUCCESS; }
    bool allBytesRead() const { return _unread.size == 0; }
    int width() const { return cairo_image_surface_get_width(_surface); }
    int height() const { return cairo_image_surface_get_height(_surface); }

    struct Pixel {  // premultiplied, as cairo keeps it
        int alpha;
        int red;
        int green;
        int blue;
    };

    Pixel at(int x, int y) const {
        cairo_surface_flush(_surface);
        const unsigned char* row =
            cairo_image_surface_get_data(_surface) + y * cairo_image_surface_get_stride(_surface);
        std::uint32_t word = 0;
        std::memcpy(&word, row + 4 * x, sizeof word);
        const int alpha = cairo_image_surface_get_format(_surface) == CAIRO_FORMAT_RGB24
                              ? 255
                              : static_cast<int>(word >> 24);
        return {alpha, static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
                static_cast<int>(word & 0xFF)};
    }

private:
    static cairo_status_t read(void* closure, unsigned char* data, unsigned int length) {
        auto* self = static_cast<DecodedPicture*>(closure);
        if (length > self->_unread.size) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, self->_unread.bytes, length);
        self->_unread.bytes += length;
        self->_unread.size -= length;
        return CAIRO_STATUS_SUCCESS;
    }

    EmbeddedResource _unread;
    cairo_surface_t* _surface = nullptr;
};
