// The user's gestures in the editor, on their way to the host.
#include <cstring>

#include "DelayEffect.h"

void DelayEffect::beginGesture(int index) {
    if (gesturesGoThroughAudio()) {
        gestureRelay.begin(index);
    } else {
        beginEdit(index);
    }
}

void DelayEffect::changeByGesture(int index, float value) {
    setSettingFromEditor(true);
    if (gesturesGoThroughAudio()) {
        setParameter(index, value);
        gestureRelay.change(index, value);
    } else {
        setParameterAutomated(index, value);
    }
    setSettingFromEditor(false);
}

void DelayEffect::endGesture(int index) {
    if (gesturesGoThroughAudio()) {
        gestureRelay.end(index);
    } else {
        endEdit(index);
    }
}

// Ardour 7 runs a VST 2 editor's idle calls, and so the editor's mouse handling, on a thread of
// its own that it never gives its tempo map. An automated value it records into a lane (in Write,
// or in Touch and Latch once a gesture began) is converted to musical time through that map, and
// from that thread the conversion reads through a null pointer: the first knob drag in those
// modes takes the whole session down. Its audio threads have the map and record the same values
// safely, so with that host the gestures go through the audio thread, which tells the host at the
// start of each block. Every other host hears of them at once, from the editor's thread, as hosts
// expect; only the host's name decides, asked once at the first gesture.
bool DelayEffect::gesturesGoThroughAudio() {
    if (gestureRoute == GestureRoute::Undecided) {
        // Room beyond the interface's 64 characters, for a host that writes more.
        char product[4 * kVstMaxProductStrLen] = {};
        const bool named = getHostProductString(product);
        product[sizeof product - 1] = '\0';
        const bool ardour = named && std::strcmp(product, "Ardour") == 0;
        gestureRoute = ardour ? GestureRoute::ThroughAudio : GestureRoute::Direct;
    }
    return gestureRoute == GestureRoute::ThroughAudio;
}

// The audio thread's part: whatever gestures the editor posted since the last block.
void DelayEffect::tellHostOfGestures() {
    struct Host {
        DelayEffect& effect;
        void beginEdit(int index) { effect.beginEdit(index); }
        void automate(int index, float value) {
            // The user's value went into the parameter at once, but the host had not heard of
            // the begin yet: a lane it plays back (Touch and Latch, until touched) has put its
            // own value back before this block. The wheel's next notch would then step from
            // that value, and one notch of the turn would be lost. The begin just told stops
            // the playback; the user's value is put back under it.
            if (effect.getParameter(index) != value) effect.setParameter(index, value);
            effect.callHost(audioMasterAutomate, index, 0, nullptr, value);
        }
        void endEdit(int index) { effect.endEdit(index); }
    } host{*this};
    gestureRelay.deliver(host);
}
