#include "PictureFiles.h"

#include "BackgroundPicture.h"
#include "EditorLayout.h"
#include "KnobGeometry.h"
#include "KnobPicture.h"
#include "SwitchPicture.h"

#include <cairo.h>

#include <array>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// The background is copied over whatever lies beneath, so it has no transparency at all; the
// knobs and switches are blended, so theirs carries the shadows and rounded edges. A picture for
// a high-density screen is drawn anew at `scale` pixels to the point, not enlarged.
void writePicture(const fs::path& file, cairo_format_t format, int width, int height, int scale,
                  const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(format, width * scale, height * scale);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, scale, scale);
    draw(cr);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, file.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + file.string() + ": " +
                                 cairo_status_to_string(status));
    }
}

cairo_surface_t* readPicture(const fs::path& file) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(file.c_str());
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        throw std::runtime_error("cannot read " + file.string());
    }
    return surface;
}

void paintPicture(cairo_t* cr, const fs::path& file, const layout::Frame& frame,
                  cairo_operator_t operation) {
    cairo_surface_t* picture = readPicture(file);
    cairo_save(cr);
    cairo_set_operator(cr, operation);
    cairo_set_source_surface(cr, picture, frame.x, frame.top());
    cairo_rectangle(cr, frame.x, frame.top(), frame.width, frame.height);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_surface_destroy(picture);
}

}  // namespace

void writePictures(const fs::path& folder) {
    fs::create_directories(folder);
    // Each picture once for ordinary screens and once, named with "@2x", at twice the pixels.
    for (const int scale : {1, 2}) {
        const std::string suffix = scale == 1 ? "" : "@" + std::to_string(scale) + "x";
        const auto file = [&](const std::string& name) {
            return folder / (name + suffix + ".png");
        };
        for (int frame = 0; frame < knob::frameCount; ++frame) {
            writePicture(file("fxknob" + std::to_string(frame)), CAIRO_FORMAT_ARGB32,
                         layout::knobSize, layout::knobSize, scale,
                         [frame](cairo_t* cr) { drawKnob(cr, knob::frameAngle(frame)); });
        }
        writePicture(file("delaybackground"), CAIRO_FORMAT_RGB24, layout::viewWidth,
                     layout::viewHeight, scale, drawBackground);
        writePicture(file("switchoff"), CAIRO_FORMAT_ARGB32, layout::switchWidth,
                     layout::switchHeight, scale, [](cairo_t* cr) { drawSwitch(cr, false); });
        writePicture(file("switchon"), CAIRO_FORMAT_ARGB32, layout::switchWidth,
                     layout::switchHeight, scale, [](cairo_t* cr) { drawSwitch(cr, true); });
    }
}

void writeEditorPreview(const fs::path& pictureFolder, const fs::path& previewFile) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout::viewWidth, layout::viewHeight);
    cairo_t* cr = cairo_create(surface);
    paintPicture(cr, pictureFolder / "delaybackground.png",
                 {0, 0, layout::viewWidth, layout::viewHeight}, CAIRO_OPERATOR_SOURCE);
    // Knob steps 0 to 100 in the editor's order (time, mix, feedback, low pass, high pass, pan
    // width, pan); a step shows frame trunc(step x 1.27).
    constexpr std::array steps{35, 100, 21, 37, 65, 0, 50};
    for (std::size_t i = 0; i < layout::knobs.size(); ++i) {
        const int frame = static_cast<int>(steps[i] * 1.27);
        const fs::path picture = pictureFolder / ("fxknob" + std::to_string(frame) + ".png");
        // Each knob shows its frame twice, in its own layer and again in the pointer view's layer
        // over it, so the frame's translucent parts count twice.
        paintPicture(cr, picture, layout::knobs[i].frame, CAIRO_OPERATOR_OVER);
        paintPicture(cr, picture, layout::knobs[i].frame, CAIRO_OPERATOR_OVER);
    }
    paintPicture(cr, pictureFolder / "switchon.png", layout::switches[0].frame,
                 CAIRO_OPERATOR_OVER);
    paintPicture(cr, pictureFolder / "switchoff.png", layout::switches[1].frame,
                 CAIRO_OPERATOR_OVER);
    cairo_destroy(cr);
    const cairo_status_t status = cairo_surface_write_to_png(surface, previewFile.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot write " + previewFile.string());
    }
}
