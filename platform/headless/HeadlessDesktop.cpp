#include "headless/HeadlessDesktop.h"

#include <algorithm>

#include "headless/HeadlessSurface.h"

namespace ui::headless {

namespace {
template <typename T>
void forget(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

template <typename T>
T* find(const std::vector<T*>& list, const void* handle) {
    for (T* item : list) {
        if (static_cast<const void*>(item) == handle) return item;
    }
    return nullptr;
}
}  // namespace

Desktop& Desktop::shared() {
    static Desktop desktop;
    return desktop;
}

Desktop::Desktop() { reset(); }

void Desktop::reset() { desktopPixelsPerPoint.reset(); }

void Desktop::displayDueSurfaces() {
    // A cycle may add or remove surfaces; go through a copy and skip those gone meanwhile.
    const auto current = surfaces;
    for (HeadlessSurface* surface : current) {
        if (std::find(surfaces.begin(), surfaces.end(), surface) != surfaces.end()) {
            surface->redrawIfNeeded();
        }
    }
}

HostViewHandle* Desktop::hostViewFor(const void* handle) const { return find(hostViews, handle); }

void Desktop::addWindow(HeadlessWindow* window) { ownWindows.push_back(window); }
void Desktop::removeWindow(HeadlessWindow* window) { forget(ownWindows, window); }
void Desktop::addSurface(HeadlessSurface* surface) { surfaces.push_back(surface); }
void Desktop::removeSurface(HeadlessSurface* surface) { forget(surfaces, surface); }
void Desktop::addHandle(HostViewHandle* handle) { hostViews.push_back(handle); }
void Desktop::removeHandle(HostViewHandle* handle) { forget(hostViews, handle); }

}  // namespace ui::headless
