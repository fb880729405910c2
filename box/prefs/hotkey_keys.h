// Hotkey values as RegisterHotKey wants them and as the settings window
// shows them.
#pragma once

#include <windows.h>

#include <string>

#include "box/prefs/hotkey_text.h"

namespace tamvelo::prefs {

// Capture-control modifiers to RegisterHotKey's: Alt 4 -> MOD_ALT,
// Shift 1 -> MOD_SHIFT, Ctrl stays, the extended-key bit is dropped, other
// bits pass unchanged.
UINT ToRegisterModifiers(UINT flags);

// Display text of a key: the key's name, with "Shift+", "Ctrl+" or "Alt+"
// in front when exactly that one modifier is set.
std::string HotKeyDisplayText(HotKeyValue value);
// The settings window keeps a display text in this many characters, the
// terminating NUL included.
inline constexpr size_t kHotKeyTextChars = 20;

// Hotkey id from a global atom: the atom minus 0xC000.
int HotKeyIdFromAtom(const char* atomName);

}  // namespace tamvelo::prefs
