#include "ClapEditor.h"

#include "EditorLayout.h"
#include "EditorScale.h"
#include "EditorView.h"
#include "PanelSurround.h"
#include "View.h"

ClapEditor::ClapEditor(ClapDelay& owner, const ClapWindowing& platform)
    : delay(owner), windowing(platform), system(platform.makeWindowSystem()) {
    // Changes waiting from before are old news: the new view reads the values itself.
    delay.delayCore().editorMailbox().discard();
    view = std::make_shared<EditorView>(ui::Rect{0.0, 0.0, layout::viewWidth, layout::viewHeight},
                                        &delay.editorSide());
}

ClapEditor::~ClapEditor() {
    stopWatching();
    // A drag the user had not let go of ends with the editor, so the host hears its end.
    view->endGesture();
    view->detachHost();
    leaveHostView();
    view.reset();
    hostView.reset();
    // Our windows are destroyed before the connection to the display goes with the window system.
    system->processPendingEvents();
    system.reset();
}

double ClapEditor::scale() {
    if (shownAt) return *shownAt;
    return editor_scale::choose(hostScale, editor_scale::fromEnvironment(), system->desktopScale());
}

bool ClapEditor::takeHostScale(double factor) {
    const std::optional<double> taken = editor_scale::accepted(factor);
    if (!taken) return false;
    hostScale = taken;
    if (shownAt && *shownAt != *taken && hostView) {
        // Shown again at the new size, and the host asked to fit its window to it.
        leaveHostView();
        placeInHostView();
        const auto [width, height] = pixelSize();
        const ClapHostExtensions& host = delay.hostExtensions();
        if (host.gui != nullptr && host.gui->request_resize != nullptr) {
            host.gui->request_resize(delay.clapHost(), width, height);
        }
    }
    return true;
}

std::pair<std::uint32_t, std::uint32_t> ClapEditor::pixelSize() {
    const double at = scale();
    return {static_cast<std::uint32_t>(editor_scale::pixels(layout::viewWidth, at)),
            static_cast<std::uint32_t>(editor_scale::pixels(layout::viewHeight, at))};
}

bool ClapEditor::showIn(void* handle) {
    leaveHostView();
    hostView = system->viewForHandle(handle);
    if (!hostView) return false;
    placeInHostView();
    watchWithHost();
    return true;
}

void ClapEditor::placeInHostView() {
    shownAt =
        editor_scale::choose(hostScale, editor_scale::fromEnvironment(), system->desktopScale());
    system->setScale(*shownAt);
    // In the panel's surround, which fills the host's window where it is larger than the editor.
    surround = std::make_shared<PanelSurround>(view);
    surround->fit(hostView->frame().size);
    hostView->addSubview(surround);
    // The child window exists on the server before the host shows its window.
    system->processPendingEvents();
}

void ClapEditor::leaveHostView() {
    if (surround) {
        surround->removeFromSuperview();
        surround.reset();
    }
    view->removeFromSuperview();
}

bool ClapEditor::show() {
    if (!hostView) return false;
    if (!surround) placeInHostView();
    return true;
}

bool ClapEditor::hide() {
    if (!hostView) return false;
    view->endGesture();
    leaveHostView();
    system->processPendingEvents();
    return true;
}

void ClapEditor::idle() {
    EditorController& controller = view->controller();
    delay.delayCore().editorMailbox().deliver(
        [&controller](int index, float value) { controller.showParameter(index, value); });
    view->tick();
    system->processPendingEvents();
}

void ClapEditor::connectionReady() { system->processPendingEvents(); }

void ClapEditor::watchWithHost() {
    const ClapHostExtensions& host = delay.hostExtensions();
    const clap_host_t* clapHost = delay.clapHost();
    if (timer == CLAP_INVALID_ID && host.timerSupport != nullptr &&
        host.timerSupport->register_timer != nullptr) {
        clap_id id = CLAP_INVALID_ID;
        if (host.timerSupport->register_timer(clapHost, kTimerPeriodMs, &id)) timer = id;
    }
    const int file = windowing.connectionFileOf != nullptr && hostView
                         ? windowing.connectionFileOf(*hostView)
                         : -1;
    if (watchedFile < 0 && file >= 0 && host.posixFdSupport != nullptr &&
        host.posixFdSupport->register_fd != nullptr &&
        host.posixFdSupport->register_fd(clapHost, file, CLAP_POSIX_FD_READ)) {
        watchedFile = file;
    }
}

void ClapEditor::stopWatching() {
    const ClapHostExtensions& host = delay.hostExtensions();
    const clap_host_t* clapHost = delay.clapHost();
    if (timer != CLAP_INVALID_ID && host.timerSupport->unregister_timer != nullptr) {
        host.timerSupport->unregister_timer(clapHost, timer);
    }
    timer = CLAP_INVALID_ID;
    if (watchedFile >= 0 && host.posixFdSupport->unregister_fd != nullptr) {
        host.posixFdSupport->unregister_fd(clapHost, watchedFile);
    }
    watchedFile = -1;
}
