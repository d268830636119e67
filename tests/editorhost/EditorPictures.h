// What the editor should show, composed here from the committed pictures with cairo: a knob
// frame or a switch state laid over the background where the control lies. Reading a control's
// state off the screen is then finding the composition that matches the pixels.
#pragma once

#include <cairo.h>

#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "HostedEditor.h"

class EditorPictures {
public:
    // The pictures for `scale` pixels to the point: 1, or 2 for the set drawn at twice the pixels.
    explicit EditorPictures(const std::string& folder, int pixelsPerPoint = 1)
        : scale(pixelsPerPoint) {
        const std::string suffix =
            pixelsPerPoint == 1 ? "" : "@" + std::to_string(pixelsPerPoint) + "x";
        const auto file = [&](const std::string& name) {
            return folder + "/" + name + suffix + ".png";
        };
        background = load(file("delaybackground"));
        switchOff = load(file("switchoff"));
        switchOn = load(file("switchon"));
        for (int k = 0; k < 128; ++k) knobs.push_back(load(file("fxknob" + std::to_string(k))));
    }
    ~EditorPictures() {
        for (cairo_surface_t* s : knobs) cairo_surface_destroy(s);
        for (cairo_surface_t* s : {background, switchOff, switchOn}) cairo_surface_destroy(s);
    }
    EditorPictures(const EditorPictures&) = delete;
    EditorPictures& operator=(const EditorPictures&) = delete;

    // The background alone, at (x, y) from the editor's top-left corner.
    std::vector<Rgb> backgroundAt(int x, int y, int width, int height) const {
        return compose(nullptr, x, y, width, height, 0);
    }
    // Knob frame `k` over the background, for the 48 by 48 point knob at (x, y) in pixels. The
    // knob's pointer view lies over it and draws the same frame again: the frame is laid on twice.
    std::vector<Rgb> knobAt(int k, int x, int y) const {
        return compose(knobs[k], x, y, 48 * scale, 48 * scale, 2);
    }
    // A switch over the background, for the 15 by 16 point switch at (x, y) in pixels.
    std::vector<Rgb> switchAt(bool on, int x, int y) const {
        return compose(on ? switchOn : switchOff, x, y, 15 * scale, 16 * scale, 1);
    }

    // The knob frame that `shown` (the knob's pixels at (x, y)) matches best; -1 when none
    // matches within a rounding difference.
    int knobShown(const std::vector<Rgb>& shown, int x, int y) const {
        int best = -1;
        long bestDistance = std::numeric_limits<long>::max();
        for (int k = 0; k < 128; ++k) {
            const long d = distance(shown, knobAt(k, x, y));
            if (d < bestDistance) {
                bestDistance = d;
                best = k;
            }
        }
        return bestDistance <= 48 * scale * 48 * scale ? best : -1;
    }
    // 1 on, 0 off, -1 neither.
    int switchShown(const std::vector<Rgb>& shown, int x, int y) const {
        if (distance(shown, switchAt(true, x, y)) <= 15 * 16 * scale * scale) return 1;
        if (distance(shown, switchAt(false, x, y)) <= 15 * 16 * scale * scale) return 0;
        return -1;
    }

    static long distance(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
        if (a.size() != b.size()) return std::numeric_limits<long>::max();
        long sum = 0;
        for (std::size_t i = 0; i < a.size(); ++i) {
            sum += std::abs(a[i].red - b[i].red) + std::abs(a[i].green - b[i].green) +
                   std::abs(a[i].blue - b[i].blue);
        }
        return sum;
    }

private:
    static cairo_surface_t* load(const std::string& path) {
        cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
        if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
            throw std::runtime_error("cannot read " + path);
        }
        return s;
    }

    std::vector<Rgb> compose(cairo_surface_t* over, int x, int y, int width, int height,
                             int layers) const {
        cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_t* cr = cairo_create(target);
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, background, -x, -y);
        cairo_paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        for (int layer = 0; layer < layers; ++layer) {
            cairo_set_source_surface(cr, over, 0, 0);
            cairo_paint(cr);
        }
        cairo_destroy(cr);
        cairo_surface_flush(target);
        std::vector<Rgb> all;
        const unsigned char* data = cairo_image_surface_get_data(target);
        const int stride = cairo_image_surface_get_stride(target);
        for (int row = 0; row < height; ++row) {
            const auto* line = reinterpret_cast<const std::uint32_t*>(data + row * stride);
            for (int column = 0; column < width; ++column) {
                const std::uint32_t p = line[column];
                all.push_back({static_cast<int>((p >> 16) & 0xff),
                               static_cast<int>((p >> 8) & 0xff), static_cast<int>(p & 0xff)});
            }
        }
        cairo_surface_destroy(target);
        return all;
    }

    int scale;
    cairo_surface_t* background = nullptr;
    cairo_surface_t* switchOff = nullptr;
    cairo_surface_t* switchOn = nullptr;
    std::vector<cairo_surface_t*> knobs;
};
