#include "Win32TimerPump.h"

#include <windows.h>

#include <map>

namespace {

// The pumps by their timer's id. Timers and their callbacks live on the UI thread alone.
std::map<UINT_PTR, std::function<void()>>& pumps() {
    static std::map<UINT_PTR, std::function<void()>> byTimer;
    return byTimer;
}

void CALLBACK timerCalled(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
    const auto found = pumps().find(id);
    if (found == pumps().end()) return;
    // A copy: the pump may end its own timer from inside the call.
    const std::function<void()> pump = found->second;
    pump();
}

class Win32TimerPump final : public EditorPump {
public:
    explicit Win32TimerPump(std::function<void()> pump)
        : timer(::SetTimer(nullptr, 0, kEditorPumpMilliseconds, &timerCalled)) {
        if (timer != 0) pumps()[timer] = std::move(pump);
    }
    ~Win32TimerPump() override {
        if (timer == 0) return;
        ::KillTimer(nullptr, timer);
        pumps().erase(timer);
    }

private:
    UINT_PTR timer;
};

}  // namespace

std::unique_ptr<EditorPump> makeWin32TimerPump(vst3::IPlugFrame* /*frame*/,
                                               const ui::View& /*hostView*/,
                                               std::function<void()> pump) {
    return std::make_unique<Win32TimerPump>(std::move(pump));
}
