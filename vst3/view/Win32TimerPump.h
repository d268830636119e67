// The editor's pump on Windows: a timer of the host's UI thread (its message loop calls back), as
// VST 3 gives the view no idle call. Input arrives through the windows' own messages.
#pragma once

#include "EditorPump.h"

std::unique_ptr<EditorPump> makeWin32TimerPump(vst3::IPlugFrame* frame, const ui::View& hostView,
                                               std::function<void()> pump);
