#include "EditorPlugView.h"

#include <cstring>

#include "DelayComponent.h"
#include "EditorLayout.h"
#include "EditorScale.h"
#include "EditorView.h"
#include "PanelSurround.h"
#include "View.h"

namespace {
constexpr double kWidth = layout::viewWidth;
constexpr double kHeight = layout::viewHeight;
}  // namespace

EditorPlugView::EditorPlugView(DelayComponent& component, vst3::FIDString platformType,
                               ui::WindowSystemFactory windowSystemFactory,
                               EditorPumpFactory pumpFactory)
    : owner(component),
      platform(platformType),
      makeWindowSystem(windowSystemFactory),
      makePump(pumpFactory) {
    static_cast<vst3::IEditController&>(owner).addRef();
}

EditorPlugView::~EditorPlugView() {
    removed();
    // The windows and views of the window system go before its connection to the display.
    system.reset();
    static_cast<vst3::IEditController&>(owner).release();
}

vst3::tresult EditorPlugView::queryInterface(const vst3::TUID interfaceId, void** object) {
    if (object == nullptr) return vst3::kInvalidArgument;
    *object = nullptr;
    if (vst3::FUnknown::iid.is(interfaceId) || vst3::IPlugView::iid.is(interfaceId)) {
        *object = static_cast<vst3::IPlugView*>(this);
    } else if (vst3::IPlugViewContentScaleSupport::iid.is(interfaceId)) {
        *object = static_cast<vst3::IPlugViewContentScaleSupport*>(this);
    }
    if (*object == nullptr) return vst3::kNoInterface;
    addRef();
    return vst3::kResultOk;
}

vst3::uint32 EditorPlugView::addRef() {
    return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

vst3::uint32 EditorPlugView::release() {
    const vst3::uint32 left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) delete this;
    return left;
}

vst3::tresult EditorPlugView::isPlatformTypeSupported(vst3::FIDString type) {
    return type != nullptr && std::strcmp(type, platform) == 0 ? vst3::kResultTrue
                                                               : vst3::kResultFalse;
}

ui::WindowSystem& EditorPlugView::windowSystem() {
    if (!system) system = makeWindowSystem();
    return *system;
}

vst3::tresult EditorPlugView::attached(void* parent, vst3::FIDString type) {
    if (isPlatformTypeSupported(type) != vst3::kResultTrue || parent == nullptr) {
        return vst3::kResultFalse;
    }
    removed();
    ui::WindowSystem& windows = windowSystem();
    pixelsPerPoint = editor_scale::choose(hostScale, editor_scale::fromEnvironment(),
                                          windows.desktopScaleAt(parent));
    windows.setScale(pixelsPerPoint);
    hostView = windows.viewForHandle(parent);
    if (!hostView) return vst3::kResultFalse;
    show();
    editorPump = makePump(plugFrame, *hostView, [this] { pump(); });
    windows.processPendingEvents();
    return vst3::kResultOk;
}

// A fresh view in the host's view, at the top-left corner inside the panel's surround, which
// follows the host's view where it is made larger than the editor.
void EditorPlugView::show() {
    // Changes waiting from before are old news: the new view reads the values itself.
    owner.delayCore().editorMailbox().discard();
    editorView =
        std::make_shared<EditorView>(ui::Rect{0.0, 0.0, kWidth, kHeight}, &owner.editorSide());
    surround = std::make_shared<PanelSurround>(editorView);
    surround->fit(hostView->frame().size);
    hostView->addSubview(surround);
}

vst3::tresult EditorPlugView::removed() {
    editorPump.reset();
    leaveHostView();
    hostView.reset();
    if (system) system->processPendingEvents();
    return vst3::kResultOk;
}

// A drag the user had not let go of ends with the editor, which leaves the host's window.
void EditorPlugView::leaveHostView() {
    if (editorView) {
        editorView->endGesture();
        editorView->detachHost();
    }
    if (surround) surround->removeFromSuperview();
    if (editorView) editorView->removeFromSuperview();
    surround.reset();
    editorView.reset();
}

// On the host's UI thread: the host's changes to the controls, then input and drawing.
void EditorPlugView::pump() {
    if (editorView) {
        EditorController& controller = editorView->controller();
        owner.delayCore().editorMailbox().deliver(
            [&controller](int index, float value) { controller.showParameter(index, value); });
        editorView->tick();
    }
    if (system) system->processPendingEvents();
}

vst3::ViewRect EditorPlugView::rect() const {
    return vst3::ViewRect{0, 0, editor_scale::pixels(kWidth, pixelsPerPoint),
                          editor_scale::pixels(kHeight, pixelsPerPoint)};
}

vst3::tresult EditorPlugView::getSize(vst3::ViewRect* size) {
    if (size == nullptr) return vst3::kInvalidArgument;
    *size = rect();
    return vst3::kResultOk;
}

// The surround follows the host's view by itself.
vst3::tresult EditorPlugView::onSize(vst3::ViewRect* newSize) {
    return newSize != nullptr ? vst3::kResultOk : vst3::kInvalidArgument;
}

vst3::tresult EditorPlugView::checkSizeConstraint(vst3::ViewRect* size) {
    if (size == nullptr) return vst3::kInvalidArgument;
    const vst3::ViewRect own = rect();
    size->right = size->left + own.right;
    size->bottom = size->top + own.bottom;
    return vst3::kResultOk;
}

vst3::tresult EditorPlugView::setFrame(vst3::IPlugFrame* frame) {
    plugFrame = frame;
    return vst3::kResultOk;
}

vst3::tresult EditorPlugView::setContentScaleFactor(float factor) {
    const std::optional<double> taken = editor_scale::accepted(factor);
    if (!taken) return vst3::kResultFalse;
    hostScale = taken;
    if (!hostView) {
        // Hosts tell the scale before they ask for the size and attach.
        pixelsPerPoint = *taken;
        return vst3::kResultOk;
    }
    if (*taken == pixelsPerPoint) return vst3::kResultOk;
    pixelsPerPoint = *taken;
    leaveHostView();
    windowSystem().setScale(pixelsPerPoint);
    show();
    if (plugFrame != nullptr) {
        vst3::ViewRect size = rect();
        plugFrame->resizeView(this, &size);
    }
    return vst3::kResultOk;
}
