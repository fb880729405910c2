// A key-combination capture field, like the system's hotkey control. While
// it has the focus, the next key pressed together with Ctrl, Shift or Alt
// becomes its value; Backspace or Delete alone clears it; Tab, Return,
// Escape and Space alone are left to the window. Modifiers use the hotkey
// control's encoding: Shift 1, Ctrl 2, Alt 4, extended key 8. It shows its
// value as text such as "Ctrl + Alt + D", and "无" when empty.
#pragma once

#include "duilib/UILabel.h"

namespace DuiLib {

#ifndef HOTKEYF_SHIFT
#define HOTKEYF_SHIFT 0x01
#define HOTKEYF_CONTROL 0x02
#define HOTKEYF_ALT 0x04
#define HOTKEYF_EXT 0x08
#endif

class CHotKeyUI : public CLabelUI {
 public:
  CHotKeyUI();
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  UINT GetControlFlags() const override;

  void GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const;
  // MAKEWORD(key code, modifiers), as the system control's HKM_GETHOTKEY.
  DWORD GetHotKey() const;
  void SetHotKey(WORD wVirtualKeyCode, WORD wModifiers);
  // "Ctrl + Shift + Alt + key name"; "" for 0, 0.
  static CDuiString GetHotKeyName(WORD wVirtualKeyCode, WORD wModifiers);

  void DoEvent(TEventUI& event) override;
  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;
  void PaintBorder(HDC hDC) override;

 private:
  void UpdateText();

  WORD m_wVirtualKeyCode = 0;
  WORD m_wModifiers = 0;
  DWORD m_dwFocusBorderColor = 0xFF3C8CE6;
};

}  // namespace DuiLib
