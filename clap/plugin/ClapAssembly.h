// What the plug-in's assembly chooses: the editor's extensions on the platform's window system
// (X11 on Linux, Win32 on Windows), or none where the library is built without an editor.
#pragma once

#include "ClapDelay.h"

ClapEditorExtensions clapEditorExtensions();
