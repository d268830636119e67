// How something drawn meets what is already there.
#pragma once

namespace ui {

enum class CompositingOperation {
    Clear = 0,
    Copy = 1,        // the drawn pixels, transparency included, replace the ones beneath
    SourceOver = 2,  // what is drawn is blended over what lies beneath
};

}  // namespace ui
