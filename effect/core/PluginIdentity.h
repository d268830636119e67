// What the plug-in calls itself in every format: the names hosts list it under and its version.
#pragma once

namespace plugin_identity {

inline constexpr const char* kEffectName = "ZvDelay32";
inline constexpr const char* kVendorName = "Zelvano Music";
inline constexpr const char* kProductName = "Zelvano's Delay 32-Bit";
// 1.0.0.0 as VST 2 counts versions (thousands, hundreds, tens, ones), and as text.
inline constexpr int kVersionNumber = 1000;
inline constexpr const char* kVersionText = "1.0.0";

}  // namespace plugin_identity
