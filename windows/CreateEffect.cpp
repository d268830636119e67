// The Windows plug-in put together: the delay effect, with the editor shown as a child window of
// the host's window.
#include "AudioEffect.h"
#include "DelayEffect.h"
#include "Vst2Editor.h"
#include "win32/Win32WindowSystem.h"

namespace {
AEffEditor* makeEditor(DelayEffect& effect) {
    return new Vst2Editor(&effect, &effect.editorSide(), effect.delayCore().editorMailbox(),
                          [] { return ui::win32::makeWin32WindowSystem(); });
}
}  // namespace

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, &makeEditor);
}
