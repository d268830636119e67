#include "Lv2Editor.h"

#include <cstring>

#include "EditorLayout.h"
#include "EditorScale.h"
#include "EditorView.h"
#include "Lv2Identity.h"
#include "PanelSurround.h"
#include "View.h"
#include "Window.h"
#include "x11/X11ChildWindow.h"
#include "x11/X11WindowSystem.h"

namespace {
constexpr ui::Size kViewSize{layout::viewWidth, layout::viewHeight};
}  // namespace

Lv2Editor::Lv2Editor(PortEditorHost editorHost, void* parent, const LV2UI_Resize* resize,
                     std::optional<double> hostScale)
    : host(editorHost), system(ui::x11::makeX11WindowSystem()) {
    view = std::make_shared<EditorView>(ui::Rect{ui::Point{}, kViewSize}, &host);
    if (parent == nullptr) return;
    const double scale =
        editor_scale::choose(hostScale, editor_scale::fromEnvironment(), system->desktopScale());
    system->setScale(scale);

    // The view at the host window's top-left corner, in a child window of its own. The host's
    // window keeps its size: the host hears the editor's size and sizes it itself.
    parentView = system->viewForHandle(parent);
    if (!parentView) return;
    // In the panel's surround, which fills the host's window where the host makes it larger than
    // the editor (some ignore that the editor's size is fixed).
    surround = std::make_shared<PanelSurround>(view);
    surround->fit(parentView->frame().size);
    parentView->addSubview(surround);
    widgetId = ui::x11::childWindowOf(*parentView, *surround);
    if (resize != nullptr && resize->ui_resize != nullptr) {
        resize->ui_resize(resize->handle, editor_scale::pixels(layout::viewWidth, scale),
                          editor_scale::pixels(layout::viewHeight, scale));
    }
    // The child window exists on the server before the host embeds it.
    system->processPendingEvents();
}

Lv2Editor::~Lv2Editor() {
    // A drag the user had not let go of ends with the editor, so the host does not wait for it.
    view->endGesture();
    view->detachHost();
    if (ownWindow) ownWindow->close();
    if (surround) surround->removeFromSuperview();
    view->removeFromSuperview();
    ownWindow.reset();
    surround.reset();
    view.reset();
    parentView.reset();
    // The windows and views go before the window system's connection to the display.
    system.reset();
}

LV2UI_Widget Lv2Editor::widget() const {
    // The host takes the widget of an X11 UI as the X window's id.
    return reinterpret_cast<LV2UI_Widget>(widgetId);
}

void Lv2Editor::portEvent(std::uint32_t port, std::uint32_t size, std::uint32_t format,
                          const void* buffer) {
    const int index = lv2id::parameterOfPort(port);
    if (index < 0 || format != 0 || size != sizeof(float) || buffer == nullptr) return;
    float value = 0.0f;
    std::memcpy(&value, buffer, sizeof value);
    host.portValueArrived(index, value);
    view->controller().showParameter(index, value);
}

int Lv2Editor::idle() {
    view->tick();
    system->processPendingEvents();
    return ownWindow && ownWindow->isClosed() ? 1 : 0;
}

int Lv2Editor::show() {
    if (parentView || (ownWindow && !ownWindow->isClosed())) return 0;
    view->removeFromSuperview();
    ownWindow = std::make_shared<ui::Window>(*system, ui::Rect{ui::Point{}, kViewSize});
    ownWindow->setTitle("ZvDelay32");
    ownWindow->setContentView(view);
    ownWindow->show();
    system->processPendingEvents();
    return 0;
}

int Lv2Editor::hide() {
    if (!ownWindow) return 0;
    view->endGesture();
    ownWindow->close();
    view->removeFromSuperview();
    ownWindow.reset();
    system->processPendingEvents();
    return 0;
}
