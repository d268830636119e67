// The plug-in as the tests put it together: the same effect and editor, the editor showing itself
// on the in-memory desktop, so tests that open it need no display.
#include "AudioEffect.h"
#include "DelayEffect.h"
#include "Vst2Editor.h"
#include "headless/HeadlessWindowSystem.h"

AEffEditor* makeHeadlessEditor(DelayEffect& effect) {
    return new Vst2Editor(&effect, &effect.editorSide(), effect.delayCore().editorMailbox(),
                          []() -> std::unique_ptr<ui::WindowSystem> {
                              return std::make_unique<ui::headless::HeadlessWindowSystem>();
                          });
}

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, &makeHeadlessEditor);
}
