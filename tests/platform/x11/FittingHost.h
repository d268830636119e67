// A host that fits its window to the plug-in's, as some DAWs do with an embedded editor: whenever
// the plug-in's window changes size, the host's window becomes that size plus a margin below it,
// and never narrower than the host's own toolbar. Such a host's window only grows when the
// plug-in's does; a plug-in that follows the host's window would grow with it without end.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <utility>

// Last: Xlib's macros would clash with names in other headers.
#include "HostWindow.h"

class FittingHost {
public:
    FittingHost(HostWindow& window, unsigned toolbarWidth, unsigned margin)
        : host(window), minimumWidth(toolbarWidth), below(margin) {}

    // The plug-in's window (the host window's only child) as the server has it now: its width and
    // height, or (0, 0) when there is none.
    std::pair<int, int> pluginSize() const {
        const auto children = host.children();
        if (children.size() != 1) return {0, 0};
        const XWindowAttributes attributes = host.attributesOf(children[0]);
        return {attributes.width, attributes.height};
    }

    // Fits the host's window to the plug-in's when that changed since the last look (and at the
    // first look, as the host lays itself out around a newly opened editor).
    void fitIfChanged() {
        const auto size = pluginSize();
        if (size.first == 0 || size == lastSeen) return;
        lastSeen = size;
        XResizeWindow(host.display(), host.id(),
                      std::max(static_cast<unsigned>(size.first), minimumWidth),
                      static_cast<unsigned>(size.second) + below);
        XSync(host.display(), False);
    }

    // For `time`: fits whenever the plug-in's window changed, and lets the plug-in idle for 10 ms
    // in between (`idleFor`, as its host idles it).
    void fitFor(std::chrono::milliseconds time,
                const std::function<void(std::chrono::milliseconds)>& idleFor) {
        const auto end = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < end) {
            fitIfChanged();
            idleFor(std::chrono::milliseconds(10));
        }
    }

private:
    HostWindow& host;
    unsigned minimumWidth;
    unsigned below;
    std::pair<int, int> lastSeen{0, 0};
};
