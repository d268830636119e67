// How something drawn meets what is already there.
#pragma once

namespace ui {

enum class CompositingOperation {
    Copy,        // the drawn pixels, transparency included, replace the ones beneath
    SourceOver,  // what is drawn is blended over what lies beneath
};

}  // namespace ui
