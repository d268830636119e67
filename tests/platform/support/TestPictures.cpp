// The embedded-resource table of the tests, drawn with cairo when first asked for.
#include "TestPictures.h"

#include <cairo.h>

#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "EmbeddedResources.h"

namespace {

struct Picture {
    std::string name;
    std::string type;
    std::vector<unsigned char> bytes;
    EmbeddedResource entry{};
};

std::vector<unsigned char> png(int width, int height, const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cr = cairo_create(surface);
    draw(cr);
    cairo_destroy(cr);
    std::vector<unsigned char> bytes;
    cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<unsigned char>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    cairo_surface_destroy(surface);
    return bytes;
}

void rgb(cairo_t* cr, int r, int g, int b, double alpha = 1.0) {
    cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, alpha);
}

std::vector<unsigned char> knobFrame(int k) {
    return png(48, 48, [k](cairo_t* cr) {
        // A dark disc with a light pointer from the lowest to the highest position...
        cairo_arc(cr, 24, 24, 21, 0, 2 * M_PI);
        rgb(cr, 48, 52, 60);
        cairo_fill(cr);
        const double angle = (225.0 - 270.0 * k / 127.0) * M_PI / 180.0;
        cairo_move_to(cr, 24 + 10 * std::cos(angle), 24 - 10 * std::sin(angle));
        cairo_line_to(cr, 24 + 19 * std::cos(angle), 24 - 19 * std::sin(angle));
        cairo_set_line_width(cr, 3);
        rgb(cr, 235, 235, 235);
        cairo_stroke(cr);
        // ...and the frame's number as the colour of its centre.
        cairo_rectangle(cr, 18, 18, 12, 12);
        rgb(cr, test_pictures::knobCentreRed(k), test_pictures::kKnobCentreGreen,
            test_pictures::kKnobCentreBlue);
        cairo_fill(cr);
    });
}

std::vector<unsigned char> switchPicture(int r, int g, int b) {
    return png(15, 16, [=](cairo_t* cr) {
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        rgb(cr, 255, 255, 255, 0.5);
        cairo_paint(cr);
        cairo_rectangle(cr, 2, 2, 11, 12);
        rgb(cr, r, g, b);
        cairo_fill(cr);
    });
}

std::vector<Picture> makePictures() {
    std::vector<Picture> all;
    auto add = [&](std::string name, std::vector<unsigned char> bytes) {
        all.push_back({std::move(name), "png", std::move(bytes), {}});
    };
    for (int k = 0; k < 128; ++k) add("fxknob" + std::to_string(k), knobFrame(k));
    add("delaybackground", png(344, 400, [](cairo_t* cr) {
            rgb(cr, test_pictures::kBackgroundRed, test_pictures::kBackgroundGreen,
                test_pictures::kBackgroundBlue);
            cairo_paint(cr);
        }));
    add("switchoff", switchPicture(test_pictures::kSwitchOffRed, test_pictures::kSwitchOffGreen,
                                   test_pictures::kSwitchOffBlue));
    add("switchon", switchPicture(test_pictures::kSwitchOnRed, test_pictures::kSwitchOnGreen,
                                  test_pictures::kSwitchOnBlue));
    add("half-red", png(4, 4, [](cairo_t* cr) {
            rgb(cr, 255, 0, 0, 128.0 / 255.0);
            cairo_paint(cr);
        }));
    add("top-blue", png(2, 2, [](cairo_t* cr) {
            rgb(cr, 255, 0, 0);
            cairo_paint(cr);
            cairo_rectangle(cr, 0, 0, 2, 1);
            rgb(cr, 0, 0, 255);
            cairo_fill(cr);
        }));
    add("broken", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
    for (Picture& p : all) {
        p.entry = {p.name.c_str(), p.type.c_str(), p.bytes.data(), p.bytes.size()};
    }
    return all;
}

int lookupCount = 0;

}  // namespace

namespace test_pictures {
int lookups() { return lookupCount; }
void resetLookups() { lookupCount = 0; }
}  // namespace test_pictures

const EmbeddedResource* findEmbeddedResource(std::string_view name, std::string_view type) {
    static const std::vector<Picture> pictures = makePictures();
    ++lookupCount;
    for (const Picture& p : pictures) {
        if (p.name == name && (type.empty() || p.type == type)) return &p.entry;
    }
    return nullptr;
}
