// A clickable label with an image per state (normal, hot, pushed, focused,
// disabled; a missing state image falls back to the normal one). A click,
// or Space/Return while it has the focus, sends "click".
#pragma once

#include "duilib/UILabel.h"

namespace DuiLib {

class CButtonUI : public CLabelUI {
 public:
  CButtonUI();
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  UINT GetControlFlags() const override;

  bool Activate() override;
  void SetEnabled(bool bEnable = true) override;
  void DoEvent(TEventUI& event) override;

  LPCSTR GetNormalImage() const { return m_sNormalImage; }
  void SetNormalImage(LPCSTR pStrImage);
  LPCSTR GetHotImage() const { return m_sHotImage; }
  void SetHotImage(LPCSTR pStrImage);
  LPCSTR GetPushedImage() const { return m_sPushedImage; }
  void SetPushedImage(LPCSTR pStrImage);
  LPCSTR GetFocusedImage() const { return m_sFocusedImage; }
  void SetFocusedImage(LPCSTR pStrImage);
  LPCSTR GetDisabledImage() const { return m_sDisabledImage; }
  void SetDisabledImage(LPCSTR pStrImage);
  void SetHotTextColor(DWORD dwColor) { m_dwHotTextColor = dwColor; }
  DWORD GetHotTextColor() const { return m_dwHotTextColor; }
  void SetPushedTextColor(DWORD dwColor) { m_dwPushedTextColor = dwColor; }
  DWORD GetPushedTextColor() const { return m_dwPushedTextColor; }
  void SetHotBkColor(DWORD dwColor) { m_dwHotBkColor = dwColor; }
  DWORD GetHotBkColor() const { return m_dwHotBkColor; }
  // UISTATE_* bits: hot, pushed, captured, focused, disabled, selected.
  UINT GetButtonState() const { return m_uButtonState; }

  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;
  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  UINT m_uButtonState = 0;
  CDuiString m_sNormalImage;
  CDuiString m_sHotImage;
  CDuiString m_sPushedImage;
  CDuiString m_sFocusedImage;
  CDuiString m_sDisabledImage;
  DWORD m_dwHotTextColor = 0;
  DWORD m_dwPushedTextColor = 0;
  DWORD m_dwHotBkColor = 0;
};

}  // namespace DuiLib
