#include "HostRunLoop.h"

#include <poll.h>

#include <algorithm>

vst3::tresult HostRunLoop::queryInterface(const vst3::TUID interfaceId, void** object) {
    if (object == nullptr) return vst3::kInvalidArgument;
    *object = nullptr;
    if (vst3::FUnknown::iid.is(interfaceId) || vst3::IPlugFrame::iid.is(interfaceId)) {
        *object = static_cast<vst3::IPlugFrame*>(this);
    } else if (vst3::IRunLoop::iid.is(interfaceId)) {
        *object = static_cast<vst3::IRunLoop*>(this);
    }
    return *object != nullptr ? vst3::kResultOk : vst3::kNoInterface;
}

vst3::tresult HostRunLoop::resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) {
    if (view == nullptr || newSize == nullptr) return vst3::kInvalidArgument;
    sizes.emplace_back(newSize->right - newSize->left, newSize->bottom - newSize->top);
    if (resizeWindow) resizeWindow(sizes.back().first, sizes.back().second);
    return view->onSize(newSize);
}

vst3::tresult HostRunLoop::registerEventHandler(vst3::IEventHandler* handler, int fd) {
    if (handler == nullptr || fd < 0) return vst3::kInvalidArgument;
    watched.emplace_back(handler, fd);
    return vst3::kResultOk;
}

vst3::tresult HostRunLoop::unregisterEventHandler(vst3::IEventHandler* handler) {
    std::erase_if(watched, [handler](const auto& entry) { return entry.first == handler; });
    return vst3::kResultOk;
}

vst3::tresult HostRunLoop::registerTimer(vst3::ITimerHandler* handler, vst3::uint64 milliseconds) {
    if (handler == nullptr) return vst3::kInvalidArgument;
    timers.push_back({handler, std::chrono::milliseconds(milliseconds), Clock::now()});
    return vst3::kResultOk;
}

vst3::tresult HostRunLoop::unregisterTimer(vst3::ITimerHandler* handler) {
    std::erase_if(timers, [handler](const Timer& timer) { return timer.handler == handler; });
    return vst3::kResultOk;
}

void HostRunLoop::runOnce(std::chrono::milliseconds wait) {
    std::vector<pollfd> fds;
    for (const auto& [handler, fd] : watched) fds.push_back({fd, POLLIN, 0});
    ::poll(fds.data(), fds.size(), static_cast<int>(wait.count()));
    // A handler may unregister itself (or another) while called: look each one up again.
    for (const pollfd& fd : fds) {
        if ((fd.revents & POLLIN) == 0) continue;
        const auto found = std::find_if(watched.begin(), watched.end(),
                                        [&fd](const auto& entry) { return entry.second == fd.fd; });
        if (found != watched.end()) found->first->onFDIsSet(fd.fd);
    }
    const auto now = Clock::now();
    std::vector<vst3::ITimerHandler*> due;
    for (Timer& timer : timers) {
        if (now - timer.last < timer.interval) continue;
        timer.last = now;
        due.push_back(timer.handler);
    }
    for (vst3::ITimerHandler* handler : due) {
        const bool stillThere =
            std::any_of(timers.begin(), timers.end(),
                        [handler](const Timer& t) { return t.handler == handler; });
        if (stillThere) handler->onTimer();
    }
}
