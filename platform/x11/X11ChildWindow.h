// The X window that shows a view added to a host's view: a plug-in format whose host wants the
// editor's own window back (LV2's widget) hands it this id.
#pragma once

#include <cstdint>

namespace ui {
class View;
}

namespace ui::x11 {

// The id of the child window showing `child` in `hostView` (a view viewForHandle gave); 0 when
// `hostView` is no host view of this backend or `child` is not shown in it.
std::uintptr_t childWindowOf(const View& hostView, const View& child);

}  // namespace ui::x11
