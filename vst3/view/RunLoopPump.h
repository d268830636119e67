// The editor's pump on Linux: the host's run loop, found on its frame, calls back on the host's UI
// thread for a timer and for the display connection's events.
#pragma once

#include "EditorPump.h"

std::unique_ptr<EditorPump> makeRunLoopPump(vst3::IPlugFrame* frame, const ui::View& hostView,
                                            std::function<void()> pump);
