// The VST 2 plug-in put together: the delay effect, with the editor shown in the host's X window.
#include "AudioEffect.h"
#include "Vst2Editor.h"
#include "DelayEffect.h"
#include "x11/X11WindowSystem.h"

namespace {
AEffEditor* makeEditor(DelayEffect& effect) {
    auto* gui = new Vst2Editor(&effect, [] { return ui::x11::makeX11WindowSystem(); });
    gui->setSynth(&effect);
    return gui;
}
}  // namespace

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, &makeEditor);
}
