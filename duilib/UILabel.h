// Text in a rectangle: CLabelUI draws one line (vertically centred unless
// valign says otherwise), CTextUI wraps words over several lines.
#pragma once

#include "duilib/UIControl.h"

namespace DuiLib {

class CLabelUI : public CControlUI {
 public:
  CLabelUI();
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;

  // DT_* flags of DrawText.
  UINT GetTextStyle() const { return m_uTextStyle; }
  void SetTextStyle(UINT uStyle);
  DWORD GetTextColor() const { return m_dwTextColor; }
  void SetTextColor(DWORD dwTextColor);
  DWORD GetDisabledTextColor() const { return m_dwDisabledTextColor; }
  void SetDisabledTextColor(DWORD dwTextColor);
  // A font id of the window (<Font id=...>); -1 for the default font.
  int GetFont() const { return m_iFont; }
  void SetFont(int index);
  RECT GetTextPadding() const;
  void SetTextPadding(RECT rc);

  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;
  void PaintText(HDC hDC) override;

 protected:
  // Draws the text in the colour given (0: the window's default colour).
  void DrawTextWithColor(HDC hDC, DWORD dwColor);
  HFONT GetFontHandle() const;

  UINT m_uTextStyle = DT_VCENTER | DT_SINGLELINE;
  DWORD m_dwTextColor = 0;
  DWORD m_dwDisabledTextColor = 0;
  int m_iFont = -1;
  RECT m_rcTextPadding = {0, 0, 0, 0};
};

class CTextUI : public CLabelUI {
 public:
  CTextUI();
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
};

}  // namespace DuiLib
