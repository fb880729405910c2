// What the close button does, from "ExitDirect" of section "Setting".
#pragma once

#include <string>

namespace tamvelo::prefs {

enum class CloseAction { Prompt, Quit, Hide, Nothing };

// Compared without regard to case: absent ("Error") or "0" asks, "1" quits,
// "2" hides to the notification area, anything else does nothing.
CloseAction CloseActionFor(const std::string& exitDirect);

}  // namespace tamvelo::prefs
