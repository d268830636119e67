// Programs linked with this file show their windows on the in-memory desktop.
#include "headless/HeadlessWindowSystem.h"

namespace ui {

std::unique_ptr<WindowSystem> makeDefaultWindowSystem() {
    return std::make_unique<headless::HeadlessWindowSystem>();
}

}  // namespace ui
