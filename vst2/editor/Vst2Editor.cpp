#include "Vst2Editor.h"

#include <cmath>
#include <cstdint>
#include <optional>

#include "AudioEffectX.h"
#include "EditorScale.h"
#include "EditorView.h"
#include "PanelSurround.h"
#include "View.h"
#include "Window.h"
#include "WindowSystem.h"

Vst2Editor::Vst2Editor(AudioEffect* owner, EditorHost* host, ParameterMailbox& changes,
                       ui::WindowSystemFactory windowSystemFactory)
    : AEffEditor(owner),
      editorHost(host),
      pendingChanges(changes),
      makeWindowSystem(windowSystemFactory) {
    // Hosts ask for the size before the first open, to make the window they hand over.
    rect = ERect{0, 0, kHeight, kWidth};
    editorOpen.store(false, std::memory_order_relaxed);
}

Vst2Editor::~Vst2Editor() {
    editorOpen.store(false, std::memory_order_relaxed);
    if (uiView) {
        uiView->endGesture();
        uiView->detachHost();
        leaveWhereShown();
        uiView.reset();
    }
    // The windows and views of the window system go before its connection to the display.
    system.reset();
}

ui::WindowSystem& Vst2Editor::windowSystem() {
    if (!system) system = makeWindowSystem();
    return *system;
}

bool Vst2Editor::getRect(ERect** where) {
    if (where != nullptr) *where = &rect;
    return true;
}

bool Vst2Editor::open(void* ptr) {
    retireEarlierView();
    rect = ERect{0, 0, 100, 100};

    // Changes waiting from before are old news: the new view reads the values itself. Changes
    // made from here on wait for the next idle, so none is lost between that reading and then.
    pendingChanges.discard();
    auto view = std::make_shared<EditorView>(ui::Rect{0.0, 0.0, kWidth, kHeight}, editorHost);
    uiView = view;

    ui::WindowSystem& windows = windowSystem();
    pixelsPerPoint = editor_scale::choose(hostScale, editor_scale::fromEnvironment(),
                                          windows.desktopScaleAt(ptr));
    windows.setScale(pixelsPerPoint);
    // A handle that is not a view shows nothing.
    if (auto hostView = windows.viewForHandle(ptr)) showInHostView(*hostView);

    editorOpen.store(true, std::memory_order_relaxed);
    return true;
}

// The view of the previous open is no longer used: it leaves the host's view and the tree is
// released with it.
void Vst2Editor::retireEarlierView() {
    if (uiView) {
        uiView->endGesture();
        leaveWhereShown();
    }
    uiView.reset();
}

void Vst2Editor::showInHostView(ui::View& hostView) {
    if (ui::Window* hostWindow = hostView.window()) {
        const ui::Rect frame = hostWindow->frame();
        const ui::View* content = hostWindow->contentView();
        const double contentHeight = content != nullptr ? content->frame().size.height : 0.0;
        const double titleBar = std::trunc(frame.size.height - contentHeight);
        reportSize();
        // Same origin: the window grows or shrinks at its top edge.
        hostWindow->setFrame(ui::Rect{frame.origin, ui::Size{kWidth, titleBar + kHeight}});
    }
    // In the panel's surround, which follows a host's view made larger than the editor. A host
    // window was just asked for the editor's size: the surround starts there.
    surround = std::make_shared<PanelSurround>(uiView);
    if (hostView.window() == nullptr) surround->fit(hostView.frame().size);
    hostView.addSubview(surround);
    shownIn = hostView.shared_from_this();
}

void Vst2Editor::leaveWhereShown() {
    if (surround) {
        surround->removeFromSuperview();
        surround.reset();
    }
    if (uiView) uiView->removeFromSuperview();
}

// The size the host is told, in its pixels.
void Vst2Editor::reportSize() {
    rect = ERect{0, 0, static_cast<std::int16_t>(editor_scale::pixels(kHeight, pixelsPerPoint)),
                 static_cast<std::int16_t>(editor_scale::pixels(kWidth, pixelsPerPoint))};
}

bool Vst2Editor::setContentScaleFactor(float factor) {
    const std::optional<double> taken = editor_scale::accepted(factor);
    if (!taken) return false;
    hostScale = taken;
    if (!editorOpen.load(std::memory_order_relaxed)) {
        // Hosts ask for the size before they open: from now on it is the host's size.
        if (!uiView) {
            pixelsPerPoint = *taken;
            reportSize();
        }
        return true;
    }
    const auto hostView = shownIn.lock();
    if (*taken == pixelsPerPoint || !hostView || !surround ||
        surround->superview() != hostView.get()) {
        return true;
    }
    // Shown again as an open shows it, at the new size, and the host asked to fit its window.
    pixelsPerPoint = *taken;
    leaveWhereShown();
    windowSystem().setScale(pixelsPerPoint);
    showInHostView(*hostView);
    if (auto* host = dynamic_cast<AudioEffectX*>(effect)) {
        host->sizeWindow(rect.right, rect.bottom);
    }
    return true;
}

void Vst2Editor::close() {
    editorOpen.store(false, std::memory_order_relaxed);
    // A drag the user had not let go of ends with the editor, and the editor leaves the host's
    // window: a host may keep that window and show another editor in it next.
    retireEarlierView();
    shownIn.reset();
}

void Vst2Editor::idle() {
    if (uiView) {
        EditorController& controller = uiView->controller();
        pendingChanges.deliver(
            [&controller](int index, float value) { controller.showParameter(index, value); });
    }
    if (uiView) uiView->tick();
    if (system) system->processPendingEvents();
}
