// A Linux host's frame around a plug-in's view with the run loop VST 3 views need: timers and
// file descriptors registered by the view, served on the thread that calls runOnce (the host's
// UI thread), as a host's event loop would.
#pragma once

#include <chrono>
#include <functional>
#include <utility>
#include <vector>

#include "Vst3View.h"

class HostRunLoop final : public vst3::IPlugFrame, public vst3::IRunLoop {
public:
    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override { return 1; }
    vst3::uint32 release() override { return 1; }

    // Takes the view's new size: remembered, handed to `resizeWindow` (the host's window follows)
    // and the view told it has it.
    vst3::tresult resizeView(vst3::IPlugView* view, vst3::ViewRect* newSize) override;

    vst3::tresult registerEventHandler(vst3::IEventHandler* handler, int fd) override;
    vst3::tresult unregisterEventHandler(vst3::IEventHandler* handler) override;
    vst3::tresult registerTimer(vst3::ITimerHandler* handler, vst3::uint64 milliseconds) override;
    vst3::tresult unregisterTimer(vst3::ITimerHandler* handler) override;

    // Calls the handlers of descriptors that have something to read, waiting up to `wait` for
    // one, then every timer that is due.
    void runOnce(std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    std::size_t timerCount() const { return timers.size(); }
    std::size_t watchedCount() const { return watched.size(); }
    // Every size the view asked for, in pixels.
    const std::vector<std::pair<int, int>>& sizesAsked() const { return sizes; }

    std::function<void(int width, int height)> resizeWindow;

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        vst3::ITimerHandler* handler;
        std::chrono::milliseconds interval;
        Clock::time_point last;
    };
    std::vector<Timer> timers;
    std::vector<std::pair<vst3::IEventHandler*, int>> watched;
    std::vector<std::pair<int, int>> sizes;
};
