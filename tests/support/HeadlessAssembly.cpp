// The plug-in as the tests put it together: the same effect and editor, the editor showing itself
// on the in-memory desktop, so tests that open it need no display.
#include "AudioEffect.h"
#include "Vst2Editor.h"
#include "DelayEffect.h"
#include "headless/HeadlessWindowSystem.h"

AEffEditor* makeHeadlessEditor(DelayEffect& effect) {
    auto* gui = new Vst2Editor(&effect, []() -> std::unique_ptr<ui::WindowSystem> {
        return std::make_unique<ui::headless::HeadlessWindowSystem>();
    });
    gui->setSynth(&effect);
    return gui;
}

AudioEffect* createEffect(audioMasterCallback audioMaster) {
    return new DelayEffect(audioMaster, &makeHeadlessEditor);
}
