#include "ClapEditorHost.h"

#include "ClapExtensions.h"

void ClapEditorHost::beginGesture(int index) {
    relay.begin(index);
    askForFlush();
}

void ClapEditorHost::changeByGesture(int index, float value) {
    core.setParameter(index, value);
    relay.change(index, value);
    askForFlush();
}

void ClapEditorHost::endGesture(int index) {
    relay.end(index);
    askForFlush();
}

// While the host processes, the next block takes the events anyway; while it does not, only a
// flush does. The request is allowed from any thread but the audio thread, which the editor never
// runs on.
void ClapEditorHost::askForFlush() {
    if (hostParams != nullptr && hostParams->request_flush != nullptr) {
        hostParams->request_flush(clapHost);
    }
}
