// Hotkey values as the settings store them: "<key code>-<modifiers>".
// Portable: the registration with the system is in hotkey_keys.h.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tamvelo::prefs {

// Modifier flags in the capture control's encoding.
inline constexpr std::uint16_t kHotKeyShift = 1;
inline constexpr std::uint16_t kHotKeyCtrl = 2;
inline constexpr std::uint16_t kHotKeyAlt = 4;
inline constexpr std::uint16_t kHotKeyExtended = 8;

struct HotKeyValue {
  std::uint16_t keyCode = 0;
  std::uint16_t modifiers = 0;
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

}  // namespace tamvelo::prefs
