#include "Vst2EditorHost.h"

#include <cstring>

#include "AudioEffectX.h"

void Vst2EditorHost::beginGesture(int index) {
    if (gesturesGoThroughAudio()) {
        relay.begin(index);
    } else {
        effect.beginEdit(index);
    }
}

void Vst2EditorHost::changeByGesture(int index, float value) {
    if (gesturesGoThroughAudio()) {
        core.setParameter(index, value);
        relay.change(index, value);
    } else {
        effect.setParameterAutomated(index, value);
    }
}

void Vst2EditorHost::endGesture(int index) {
    if (gesturesGoThroughAudio()) {
        relay.end(index);
    } else {
        effect.endEdit(index);
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
bool Vst2EditorHost::gesturesGoThroughAudio() {
    if (route == GestureRoute::Undecided) {
        // Room beyond the interface's 64 characters, for a host that writes more.
        char product[4 * kVstMaxProductStrLen] = {};
        const bool named = effect.getHostProductString(product);
        product[sizeof product - 1] = '\0';
        const bool ardour = named && std::strcmp(product, "Ardour") == 0;
        route = ardour ? GestureRoute::ThroughAudio : GestureRoute::Direct;
    }
    return route == GestureRoute::ThroughAudio;
}
