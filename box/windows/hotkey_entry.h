// One global hotkey of the main window, as the settings window keeps it.
#pragma once

#include <windows.h>

#include "box/prefs/hotkey_keys.h"
#include "duilib/UIHotKey.h"

struct HotKeyEntry {
  LPCSTR keyName = nullptr;                   // INI key in "HotKey", also the control's name
  DuiLib::CHotKeyUI* control = nullptr;       // capture control in the settings window
  WORD keyCode = 0;                           // virtual-key code
  WORD modifiers = 0;                         // capture-control encoding (Shift 1, Ctrl 2, Alt 4, ext 8)
  int id = 0;                                 // RegisterHotKey id, WM_HOTKEY's wParam

  tamvelo::prefs::HotKeyValue Value() const { return {keyCode, modifiers}; }
  void Take(tamvelo::prefs::HotKeyValue value) {
    keyCode = value.keyCode;
    modifiers = value.modifiers;
  }
};
