// Captions of the two full-screen controls, built from the display text of
// the full-screen key ("F11", "Ctrl+F4").
#pragma once

#include <string>

namespace tamvelo::prefs {

// The main window's "fullscreen" control, text and tooltip: "全屏(F11)".
inline std::string EnterFullscreenCaption(const char* keyText) { return std::string("全屏(") + keyText + ")"; }

// The floating button's "fullscreen" control: "退出全屏(F11)".
inline std::string ExitFullscreenCaption(const char* keyText) { return std::string("退出全屏(") + keyText + ")"; }

}  // namespace tamvelo::prefs
