#include "box/prefs/hotkey_keys.h"

#include <windows.h>


namespace tamvelo::prefs {

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
