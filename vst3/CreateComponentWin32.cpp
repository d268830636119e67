// The Windows VST 3 plug-in put together: the delay component, its editor a child window of the
// host's window, kept going by a timer of the host's UI thread.
#include "DelayComponent.h"
#include "EditorPlugView.h"
#include "PluginFactory.h"
#include "Win32TimerPump.h"
#include "win32/Win32WindowSystem.h"

namespace {
vst3::IPlugView* makeView(DelayComponent& component) {
    return new EditorPlugView(
        component, vst3::kPlatformTypeHWND, [] { return ui::win32::makeWin32WindowSystem(); },
        &makeWin32TimerPump);
}
}  // namespace

DelayComponent* createComponent() { return new DelayComponent(&makeView); }
