#include "DrawingContext.h"

namespace ui::drawing {

namespace {
thread_local cairo_t* currentContext = nullptr;
}

cairo_t* current() { return currentContext; }

CurrentContext::CurrentContext(cairo_t* context) : previous(currentContext) {
    currentContext = context;
}

CurrentContext::~CurrentContext() { currentContext = previous; }

}  // namespace ui::drawing
