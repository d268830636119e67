#include "x11/X11ErrorTrap.h"

#include <list>
#include <mutex>

namespace ui::x11 {

namespace {

// The handler is one per process, so its state is too; the traps of every editor share it. The
// lock is only held for a moment: never while a trap's owner runs other code.
struct TrapState {
    std::mutex lock;
    XErrorHandler previous = nullptr;
    std::list<X11ErrorTrap::Record> records;  // one per trap that is set
};

TrapState& state() {
    static TrapState shared;
    return shared;
}

int handleError(Display* display, XErrorEvent* error) {
    TrapState& s = state();
    XErrorHandler passOn = nullptr;
    {
        std::lock_guard<std::mutex> guard(s.lock);
        bool ours = false;
        for (X11ErrorTrap::Record& record : s.records) {
            if (record.display != display) continue;
            ours = true;
            // An error may answer a request made before this trap was set, under an earlier one
            // that did not wait for it (destroying a child that died with the host's window,
            // say). It is dropped, but it says nothing about the requests this trap watches.
            if (error->serial >= record.firstRequest) ++record.errors;
        }
        if (!ours) passOn = s.previous;
    }
    return passOn != nullptr ? passOn(display, error) : 0;
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : trapped(display) {
    TrapState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    if (s.records.empty()) s.previous = XSetErrorHandler(handleError);
    s.records.push_back({display, NextRequest(display), 0});
    record = std::prev(s.records.end());
}

X11ErrorTrap::~X11ErrorTrap() {
    // Errors of requests still unanswered arrive when Xlib next reads from the connection, which
    // only happens inside our own calls, under the next trap: no need to wait for them here.
    TrapState& s = state();
    std::lock_guard<std::mutex> guard(s.lock);
    s.records.erase(record);
    if (s.records.empty()) XSetErrorHandler(s.previous);
}

bool X11ErrorTrap::syncAndCheck() {
    XSync(trapped, False);
    std::lock_guard<std::mutex> guard(state().lock);
    return record->errors != 0;
}

}  // namespace ui::x11
