#include "duilib/UIHotKey.h"

#include <string.h>

#include "duilib/UIRender.h"

namespace DuiLib {
namespace {

bool IsModifierKey(WPARAM vk) {
  return vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU || vk == VK_LSHIFT || vk == VK_RSHIFT ||
         vk == VK_LCONTROL || vk == VK_RCONTROL || vk == VK_LMENU || vk == VK_RMENU;
}

WORD ModifiersOf(WORD keyState) {
  WORD mods = 0;
  if (keyState & MK_SHIFT) mods |= HOTKEYF_SHIFT;
  if (keyState & MK_CONTROL) mods |= HOTKEYF_CONTROL;
  if (keyState & MK_ALT) mods |= HOTKEYF_ALT;
  return mods;
}

}  // namespace

CHotKeyUI::CHotKeyUI() {
  m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  m_rcTextPadding = RECT{4, 0, 4, 0};
  m_dwBackColor = 0xFFFFFFFF;
  m_dwBorderColor = 0xFFA0A0A0;
  m_nBorderSize = 1;
  UpdateText();
}

LPCSTR CHotKeyUI::GetClass() const { return "HotKeyUI"; }

LPVOID CHotKeyUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_HOTKEY) == 0) return this;
  return CLabelUI::GetInterface(pstrName);
}

UINT CHotKeyUI::GetControlFlags() const {
  return IsEnabled() ? (UIFLAG_TABSTOP | UIFLAG_WANTSYSKEY) : 0;
}

void CHotKeyUI::GetHotKey(WORD& wVirtualKeyCode, WORD& wModifiers) const {
  wVirtualKeyCode = m_wVirtualKeyCode;
  wModifiers = m_wModifiers;
}

DWORD CHotKeyUI::GetHotKey() const { return MAKEWORD(m_wVirtualKeyCode, m_wModifiers); }

void CHotKeyUI::SetHotKey(WORD wVirtualKeyCode, WORD wModifiers) {
  m_wVirtualKeyCode = wVirtualKeyCode;
  m_wModifiers = wModifiers;
  UpdateText();
}

CDuiString CHotKeyUI::GetHotKeyName(WORD wVirtualKeyCode, WORD wModifiers) {
  CDuiString text;
  if (wModifiers & HOTKEYF_CONTROL) text += "Ctrl + ";
  if (wModifiers & HOTKEYF_SHIFT) text += "Shift + ";
  if (wModifiers & HOTKEYF_ALT) text += "Alt + ";
  if (wVirtualKeyCode != 0) {
    LONG scan = static_cast<LONG>(::MapVirtualKeyA(wVirtualKeyCode, 0)) << 16;
    if (wModifiers & HOTKEYF_EXT) scan |= 1L << 24;
    char name[64] = {};
    if (scan == 0 || ::GetKeyNameTextA(scan, name, sizeof(name)) <= 0) {
      // Keys without a scan code: their code, so the value is still visible.
      wsprintfA(name, "0x%02X", wVirtualKeyCode);
    }
    text += name;
  }
  return text;
}

void CHotKeyUI::UpdateText() {
  const CDuiString name = GetHotKeyName(m_wVirtualKeyCode, m_wModifiers);
  SetText(name.IsEmpty() ? "无" : name.GetData());
}

void CHotKeyUI::DoEvent(TEventUI& event) {
  if (!IsEnabled() && (event.Type == UIEVENT_KEYDOWN || event.Type == UIEVENT_KEYUP)) {
    CLabelUI::DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      return;  // the manager has given it the focus
    case UIEVENT_SETFOCUS:
    case UIEVENT_KILLFOCUS:
      CLabelUI::DoEvent(event);  // focus flag and repaint
      return;
    case UIEVENT_KEYDOWN: {
      const WPARAM vk = event.wParam;
      const WORD mods = ModifiersOf(event.wKeyState);
      if (IsModifierKey(vk)) {
        SetHotKey(0, mods);
        return;
      }
      if (mods == 0) {
        if (vk == VK_BACK || vk == VK_DELETE) {
          SetHotKey(0, 0);
          return;
        }
        if (vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE) {
          CLabelUI::DoEvent(event);
          return;
        }
      }
      // Bit 24 of the key message: a key of the extended block (arrows,
      // Insert, Delete, Home, End, Page Up/Down outside the number pad).
      const WORD ext = (event.lParam & (1L << 24)) != 0 ? HOTKEYF_EXT : 0;
      SetHotKey(static_cast<WORD>(vk), mods | ext);
      return;
    }
    case UIEVENT_KEYUP:
    case UIEVENT_CHAR:
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CHotKeyUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName != nullptr && _stricmp(pstrName, "focusbordercolor") == 0) {
    m_dwFocusBorderColor = CRenderEngine::ParseColor(pstrValue);
  } else {
    CLabelUI::SetAttribute(pstrName, pstrValue);
  }
}

void CHotKeyUI::PaintBorder(HDC hDC) {
  if (IsFocused() && m_dwFocusBorderColor != 0) {
    CRenderEngine::DrawRect(hDC, m_rcItem, GetBorderSize() > 0 ? GetBorderSize() : 1, m_dwFocusBorderColor);
    return;
  }
  CLabelUI::PaintBorder(hDC);
}

}  // namespace DuiLib
