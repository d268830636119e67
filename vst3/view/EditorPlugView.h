// The editor as a VST 3 host embeds it: the host's window handle arrives with attached(), the
// editor's view is shown in it inside the panel's surround, and removed() takes it out again.
// Between the two a pump (the host's run loop on Linux) delivers the host's changes to the
// controls and lets the window system draw and take input, all on the host's UI thread. The view
// holds a reference to its component, whose core and editor host it uses.
#pragma once

#include <atomic>
#include <memory>
#include <optional>

#include "EditorPump.h"
#include "ParameterMailbox.h"
#include "Vst3View.h"
#include "WindowSystem.h"

namespace ui {
class View;
}
class DelayComponent;
class EditorView;
class PanelSurround;

class EditorPlugView final : public vst3::IPlugView, public vst3::IPlugViewContentScaleSupport {
public:
    // `platformType`: the one kind of handle this build embeds in ("X11EmbedWindowID", "HWND").
    EditorPlugView(DelayComponent& component, vst3::FIDString platformType,
                   ui::WindowSystemFactory makeWindowSystem, EditorPumpFactory makePump);
    EditorPlugView(const EditorPlugView&) = delete;
    EditorPlugView& operator=(const EditorPlugView&) = delete;

    vst3::tresult queryInterface(const vst3::TUID interfaceId, void** object) override;
    vst3::uint32 addRef() override;
    vst3::uint32 release() override;

    vst3::tresult isPlatformTypeSupported(vst3::FIDString type) override;
    vst3::tresult attached(void* parent, vst3::FIDString type) override;
    vst3::tresult removed() override;
    vst3::tresult onWheel(float /*distance*/) override { return vst3::kResultFalse; }
    vst3::tresult onKeyDown(vst3::char16, vst3::int16, vst3::int16) override {
        return vst3::kResultFalse;
    }
    vst3::tresult onKeyUp(vst3::char16, vst3::int16, vst3::int16) override {
        return vst3::kResultFalse;
    }
    vst3::tresult getSize(vst3::ViewRect* size) override;
    vst3::tresult onSize(vst3::ViewRect* newSize) override;
    vst3::tresult onFocus(vst3::TBool /*state*/) override { return vst3::kResultOk; }
    vst3::tresult setFrame(vst3::IPlugFrame* frame) override;
    vst3::tresult canResize() override { return vst3::kResultFalse; }
    vst3::tresult checkSizeConstraint(vst3::ViewRect* rect) override;

    // The host's pixels to the point: taken when it is a factor the editor takes (see
    // EditorScale.h), ahead of the user's and the desktop's; while shown, the editor is shown
    // again at the new size and the host asked to fit its window.
    vst3::tresult setContentScaleFactor(float factor) override;

    double scale() const { return pixelsPerPoint; }

private:
    ~EditorPlugView();
    ui::WindowSystem& windowSystem();
    void show();
    void leaveHostView();
    void pump();
    vst3::ViewRect rect() const;

    std::atomic<vst3::uint32> references{1};
    DelayComponent& owner;
    vst3::FIDString platform;
    ui::WindowSystemFactory makeWindowSystem;
    EditorPumpFactory makePump;
    std::unique_ptr<ui::WindowSystem> system;  // made at the first attach
    vst3::IPlugFrame* plugFrame = nullptr;     // the host's, while it sets one
    std::shared_ptr<ui::View> hostView;
    std::shared_ptr<EditorView> editorView;
    std::shared_ptr<PanelSurround> surround;
    std::unique_ptr<EditorPump> editorPump;
    std::optional<double> hostScale;
    double pixelsPerPoint = 1.0;
};
