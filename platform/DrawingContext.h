// The cairo context that views draw into while a display cycle draws them. Inside the windowing
// layer only: the views themselves never see cairo.
#pragma once

#include <cairo.h>

namespace ui::drawing {

// The context of the view being drawn on this thread; null outside a display cycle.
cairo_t* current();

// Makes `context` the current one for its lifetime.
class CurrentContext {
public:
    explicit CurrentContext(cairo_t* context);
    ~CurrentContext();
    CurrentContext(const CurrentContext&) = delete;
    CurrentContext& operator=(const CurrentContext&) = delete;

private:
    cairo_t* previous;
};

}  // namespace ui::drawing
