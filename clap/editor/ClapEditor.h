// The editor as a CLAP host drives it through the gui extension: created, given a scale, placed
// in the host's window, shown and hidden, destroyed. It has no thread of its own: the host's timer
// (timer-support) brings the parameter changes to the controls and draws, and the host's watch on
// the display connection (posix-fd-support, on Linux) hands it input as soon as it arrives. All on
// the host's main thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "ClapDelay.h"
#include "ClapWindowing.h"

namespace ui {
class View;
}
class EditorView;
class PanelSurround;

class ClapEditor final : public ClapEditorSlot {
public:
    // How often the host's timer idles the editor: about a display's frame rate.
    static constexpr std::uint32_t kTimerPeriodMs = 16;

    ClapEditor(ClapDelay& delay, const ClapWindowing& windowing);
    // Gives back the timer and the descriptor, and leaves the host's window with no window of ours.
    ~ClapEditor() override;

    // A factor the editor takes (see EditorScale.h): false for one it does not.
    bool takeHostScale(double scale);
    // Width and height in the host's pixels.
    std::pair<std::uint32_t, std::uint32_t> pixelSize();
    // In the host's window behind `handle`; false when it is not one.
    bool showIn(void* handle);
    bool show();
    bool hide();
    // The host's timer: changes to the controls, input, drawing.
    void idle();
    // The display connection has something for us.
    void connectionReady();

private:
    double scale();
    void placeInHostView();
    void leaveHostView();
    void watchWithHost();
    void stopWatching();

    ClapDelay& delay;
    const ClapWindowing& windowing;
    std::unique_ptr<ui::WindowSystem> system;
    std::shared_ptr<EditorView> view;
    std::shared_ptr<ui::View> hostView;
    std::shared_ptr<PanelSurround> surround;
    std::optional<double> hostScale;
    std::optional<double> shownAt;  // the scale the editor was placed at
    clap_id timer = CLAP_INVALID_ID;
    int watchedFile = -1;
};
