// The built DLL's editor, as a Windows host reaches it: loaded with LoadLibrary, opened in the
// host's window, a knob dragged with the mouse, closed and unloaded, twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EditorLayout.h"
#include "HostWindow.h"
#include "HostedEffect.h"
#include "PluginLibrary.h"

namespace {

std::vector<VstInt32> heard;  // the gesture messages the host was sent, in order

VstIntPtr recordingHost(AEffect* /*effect*/, VstInt32 opcode, VstInt32 /*index*/,
                        VstIntPtr /*value*/, void* /*ptr*/, float /*opt*/) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterBeginEdit || opcode == audioMasterEndEdit) heard.push_back(opcode);
    return 0;
}

constexpr wchar_t kEditorClass[] = L"ZvDelay32EditorView";

}  // namespace

TEST(Win32EditorDll,
     OpensAsAChildWindowHearsADragAsOneGestureAndTakesItsWindowClassAlongWhenUnloaded) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        heard.clear();
        HINSTANCE module = nullptr;
        {
            const PluginLibrary library(ZV_PLUGIN_PATH);
            HostedEffect effect(library.instantiateChecked(recordingHost));
            HostWindow window{layout::viewWidth, layout::viewHeight};
            ASSERT_EQ(effect.call(effEditOpen, 0, 0, window.handle()), 1);
            effect.call(effEditIdle);
            HostWindow::pump();
            const HWND child = GetWindow(window.handle(), GW_CHILD);
            ASSERT_NE(child, nullptr);
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            EXPECT_STREQ(name, kEditorClass);
            module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(child, GWLP_HINSTANCE));
            WNDCLASSEXW found{};
            found.cbSize = sizeof found;
            EXPECT_NE(GetClassInfoExW(module, kEditorClass, &found), 0);

            // Up and then down, so that the knob turns wherever it starts.
            const auto& knob = layout::knobs[1].frame;
            const int x = static_cast<int>(knob.centerX()), y = knob.top() + knob.height / 2;
            SendMessageW(child, WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
            for (int up = 4; up <= 40; up += 4)
                SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, at(x, y - up));
            for (int down = -36; down <= 40; down += 4) {
                SendMessageW(child, WM_MOUSEMOVE, MK_LBUTTON, at(x, y + down));
            }
            SendMessageW(child, WM_LBUTTONUP, 0, at(x, y + 40));
            EXPECT_EQ(heard, (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterEndEdit}));
            effect.call(effEditClose);
        }
        WNDCLASSEXW gone{};
        gone.cbSize = sizeof gone;
        EXPECT_EQ(GetClassInfoExW(module, kEditorClass, &gone), 0);
    }
}

namespace {

// The host window's own child windows (not their children).
int childWindowsOf(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        ++count;
    }
    return count;
}

}  // namespace

// A host that keeps its window, as one showing an effect chain in one window does: each closed
// editor leaves it, and the next instance's editor is the only one in it.
TEST(Win32EditorDll, AClosedEditorLeavesTheHostsWindowAndTheNextInstancesEditorIsAloneInIt) {
    const PluginLibrary library(ZV_PLUGIN_PATH);
    HostedEffect first(library.instantiateChecked(recordingHost));
    HostedEffect second(library.instantiateChecked(recordingHost));
    HostWindow window{layout::viewWidth, layout::viewHeight};
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (HostedEffect* effect : {&first, &second}) {
            ASSERT_EQ(effect->call(effEditOpen, 0, 0, window.handle()), 1);
            effect->call(effEditIdle);
            HostWindow::pump();
            ASSERT_EQ(childWindowsOf(window.handle()), 1) << cycle;
            effect->call(effEditClose);
            HostWindow::pump();
            ASSERT_EQ(childWindowsOf(window.handle()), 0) << cycle;
        }
    }
}
