#include "box/prefs/hotkey_keys.h"

#include <cstdio>
#include <cstdlib>

#include "common/ini.h"

namespace tamvelo::prefs {

std::optional<HotKeyValue> ParseStoredHotKey(const std::string& text) {
  if (ini::IsAbsent(text)) return std::nullopt;
  const size_t dash = text.find('-');
  if (dash == std::string::npos) return std::nullopt;
  const WORD keyCode = static_cast<WORD>(std::atoi(text.substr(0, dash).c_str()));
  const WORD modifiers = static_cast<WORD>(std::atoi(text.c_str() + dash + 1));
  if (keyCode == 0) return std::nullopt;
  return HotKeyValue{keyCode, modifiers};
}

std::string StoredHotKeyText(HotKeyValue value) {
  char text[24];
  std::snprintf(text, sizeof text, "%d-%d", value.keyCode, value.modifiers);
  return text;
}

UINT ToRegisterModifiers(UINT flags) {
  UINT result = flags & ~static_cast<UINT>(kHotKeyExtended | kHotKeyAlt | kHotKeyShift);
  if (flags & kHotKeyAlt) result |= MOD_ALT;
  if (flags & kHotKeyShift) result |= MOD_SHIFT;
  return result;
}

std::string HotKeyDisplayText(HotKeyValue value) {
  char name[9] = {};
  GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(value.keyCode, 0) << 16), name, sizeof name);
  switch (value.modifiers) {
    case kHotKeyShift: return std::string("Shift+") + name;
    case kHotKeyCtrl: return std::string("Ctrl+") + name;
    case kHotKeyAlt: return std::string("Alt+") + name;
    default: return name;
  }
}

int HotKeyIdFromAtom(const char* atomName) {
  return static_cast<int>(GlobalAddAtomA(atomName)) - 0xC000;
}

}  // namespace tamvelo::prefs
