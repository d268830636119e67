// The VST 2 plug-in put together: the delay effect, with the editor shown in the host's X window.
#include "AudioEffect.h"
#include "DelayEffect.h"
#include "Vst2Editor.h"
#include "x11/X11WindowSystem.h"

namespace {
AEffEditor* makeEditor(DelayEffect& effect) {
    return new Vst2Editor(&effect, &effect.editorSide(), effect.delayCore().editorMailbox(),
                          [] { return ui::x11::makeX11WindowSystem(); });
}
}  // namespace

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, &makeEditor);
}
