// The VST 3 plug-in put together: the delay component, its editor shown in the host's X window and
// kept going by the host's run loop.
#include "DelayComponent.h"
#include "EditorPlugView.h"
#include "PluginFactory.h"
#include "RunLoopPump.h"
#include "x11/X11WindowSystem.h"

namespace {
vst3::IPlugView* makeView(DelayComponent& component) {
    return new EditorPlugView(
        component, vst3::kPlatformTypeX11EmbedWindowID,
        [] { return ui::x11::makeX11WindowSystem(); }, &makeRunLoopPump);
}
}  // namespace

DelayComponent* createComponent() { return new DelayComponent(&makeView); }
