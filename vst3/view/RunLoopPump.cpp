#include "RunLoopPump.h"

#include <atomic>

#include "x11/X11ConnectionFile.h"

namespace {

// The handler the run loop calls. The host may hold references to it beyond the pump's life, so
// it counts them and outlives the pump where it must; once cut off it does nothing.
class RunLoopHandler final : public vst3::ITimerHandler, public vst3::IEventHandler {
public:
    explicit RunLoopHandler(std::function<void()> call) : callback(std::move(call)) {}

    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override {
        if (object == nullptr) return vst3::kInvalidArgument;
        *object = nullptr;
        if (vst3::FUnknown::iid.is(interfaceId) || vst3::ITimerHandler::iid.is(interfaceId)) {
            *object = static_cast<vst3::ITimerHandler*>(this);
        } else if (vst3::IEventHandler::iid.is(interfaceId)) {
            *object = static_cast<vst3::IEventHandler*>(this);
        }
        if (*object == nullptr) return vst3::kNoInterface;
        addRef();
        return vst3::kResultOk;
    }
    vst3::uint32 addRef() override { return ++references; }
    vst3::uint32 release() override {
        const vst3::uint32 left = --references;
        if (left == 0) delete this;
        return left;
    }

    void onTimer() override { call(); }
    void onFDIsSet(int /*fd*/) override { call(); }
    void cutOff() { callback = nullptr; }

private:
    ~RunLoopHandler() = default;
    void call() {
        if (callback) callback();
    }

    std::atomic<vst3::uint32> references{1};
    std::function<void()> callback;
};

class RunLoopPump final : public EditorPump {
public:
    RunLoopPump(vst3::IRunLoop* loop, int eventDescriptor, std::function<void()> pump)
        : runLoop(loop), handler(new RunLoopHandler(std::move(pump))) {
        runLoop->registerTimer(handler, kEditorPumpMilliseconds);
        if (eventDescriptor >= 0) {
            watching = runLoop->registerEventHandler(handler, eventDescriptor) == vst3::kResultOk;
        }
    }
    ~RunLoopPump() override {
        handler->cutOff();
        runLoop->unregisterTimer(handler);
        if (watching) runLoop->unregisterEventHandler(handler);
        handler->release();
        runLoop->release();
    }

private:
    vst3::IRunLoop* runLoop;
    RunLoopHandler* handler;
    bool watching = false;
};

}  // namespace

std::unique_ptr<EditorPump> makeRunLoopPump(vst3::IPlugFrame* frame, const ui::View& hostView,
                                            std::function<void()> pump) {
    if (frame == nullptr) return nullptr;
    void* loop = nullptr;
    if (frame->queryInterface(vst3::IRunLoop::iid.data(), &loop) != vst3::kResultOk ||
        loop == nullptr) {
        return nullptr;
    }
    return std::make_unique<RunLoopPump>(static_cast<vst3::IRunLoop*>(loop),
                                         ui::x11::connectionFileOf(hostView), std::move(pump));
}
