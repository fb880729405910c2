// Hotkey values as the settings store them and as RegisterHotKey wants them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tamvelo::prefs {

// Modifier flags in the capture control's encoding.
inline constexpr WORD kHotKeyShift = 1;
inline constexpr WORD kHotKeyCtrl = 2;
inline constexpr WORD kHotKeyAlt = 4;
inline constexpr WORD kHotKeyExtended = 8;

struct HotKeyValue {
  WORD keyCode = 0;
  WORD modifiers = 0;
  bool operator==(const HotKeyValue& other) const {
    return keyCode == other.keyCode && modifiers == other.modifiers;
  }
};

inline constexpr HotKeyValue kDefaultHideKey{68, kHotKeyAlt};  // Alt+D
inline constexpr HotKeyValue kDefaultFullKey{122, 0};           // F11

// A stored "<key code>-<modifiers>" value (section "HotKey"). Nothing when
// it is absent ("Error" in any case), has no "-" or a key code of 0: the
// entry then keeps what it has.
std::optional<HotKeyValue> ParseStoredHotKey(const std::string& text);

// "<key code>-<modifiers>", both decimal.
std::string StoredHotKeyText(HotKeyValue value);

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
