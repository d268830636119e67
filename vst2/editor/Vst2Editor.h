// The editor as the VST 2 host reaches it through the editor opcodes: it reports its size, opens,
// idles and closes. Each open builds a fresh view and shows it inside the host's view (the X
// window a Linux host hands over), or nowhere when the handle is null or not a view the window
// system knows. Keys are left to the host, and any knob mode is taken: the knobs turn only by
// vertical drags.
//
// The core's parameter changes, from whatever thread made them, wait in its mailbox and reach the
// controls on the user-interface thread, at the next idle.
#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "AEffEditor.h"
#include "EditorLayout.h"
#include "ParameterMailbox.h"
#include "WindowSystem.h"

namespace ui {
class View;
class Window;
}  // namespace ui

class EditorHost;
class EditorView;
class PanelSurround;

class Vst2Editor : public AEffEditor {
public:
    // The editor's size in points, reported to the host (in pixels, at the editor's scale)
    // before the first open as after an embedding one.
    static constexpr int kWidth = layout::viewWidth;
    static constexpr int kHeight = layout::viewHeight;

    // `host`: the side the editor's controls read and change; `changes`: where the parameter
    // changes made by any route wait for the editor. `makeWindowSystem`: the backend the editor
    // shows itself with, made at the first open.
    Vst2Editor(AudioEffect* owner, EditorHost* host, ParameterMailbox& changes,
               ui::WindowSystemFactory makeWindowSystem);
    // Takes the view out of the host's view.
    ~Vst2Editor() override;

    // Hands the host the address of the reported rectangle.
    bool getRect(ERect** where) override;
    bool open(void* ptr) override;
    void close() override;
    // The host's idle on the user-interface thread: brings the parameter changes to the controls,
    // then handles input and drawing.
    void idle() override;
    // The host's pixels to the point: taken when it is a factor the editor takes (see
    // EditorScale.h), ahead of the user's and the desktop's. While shown in the host's window,
    // the editor is shown again at the new size and the host asked to fit its window to it.
    bool setContentScaleFactor(float factor) override;
    bool setKnobMode(VstInt32 /*mode*/) override { return true; }
    // The pixels to the point the editor is drawn at (1 until the first open, unless the host
    // said otherwise).
    double scale() const { return pixelsPerPoint; }

    bool isEditorOpen() const { return editorOpen.load(std::memory_order_relaxed); }
    const std::shared_ptr<EditorView>& view() const { return uiView; }

private:
    ui::WindowSystem& windowSystem();
    void retireEarlierView();
    void showInHostView(ui::View& hostView);
    // Takes the view, with its surround, out of the host's view.
    void leaveWhereShown();
    void reportSize();

    ERect rect{};  // the size reported to the host, in its pixels
    std::shared_ptr<EditorView> uiView;
    std::shared_ptr<PanelSurround> surround;  // around the view in a host's view
    EditorHost* editorHost;
    std::atomic<bool> editorOpen{false};

    ParameterMailbox& pendingChanges;
    ui::WindowSystemFactory makeWindowSystem;
    std::unique_ptr<ui::WindowSystem> system;  // made at the first open
    std::optional<double> hostScale;
    double pixelsPerPoint = 1.0;
    std::weak_ptr<ui::View> shownIn;  // the host's view the editor is shown in
};
