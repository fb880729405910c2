#include "duilib/UILabel.h"

#include <string.h>

#include "duilib/UIAttribute.h"
#include "duilib/UIRender.h"

namespace DuiLib {

CLabelUI::CLabelUI() = default;

LPCSTR CLabelUI::GetClass() const { return "LabelUI"; }

LPVOID CLabelUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_LABEL) == 0) return this;
  return CControlUI::GetInterface(pstrName);
}

void CLabelUI::SetTextStyle(UINT uStyle) {
  m_uTextStyle = uStyle;
  Invalidate();
}

void CLabelUI::SetTextColor(DWORD dwTextColor) { SetPaintColor(m_dwTextColor, dwTextColor); }

void CLabelUI::SetDisabledTextColor(DWORD dwTextColor) { SetPaintColor(m_dwDisabledTextColor, dwTextColor); }

void CLabelUI::SetFont(int index) {
  m_iFont = index;
  Invalidate();
}

RECT CLabelUI::GetTextPadding() const { return Scale(m_rcTextPadding); }

void CLabelUI::SetTextPadding(RECT rc) {
  m_rcTextPadding = rc;
  Invalidate();
}

void CLabelUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  auto is = [pstrName](const char* name) { return _stricmp(pstrName, name) == 0; };
  // Values are words separated by blanks or commas ("center", "vcenter").
  auto has = [pstrValue](const char* word) {
    const size_t n = strlen(word);
    for (const char* p = strstr(pstrValue, word); p != nullptr; p = strstr(p + 1, word)) {
      const bool startOk = p == pstrValue || p[-1] == ' ' || p[-1] == ',';
      const bool endOk = p[n] == '\0' || p[n] == ' ' || p[n] == ',';
      if (startOk && endOk) return true;
    }
    return false;
  };
  if (is("align")) {
    // Horizontal alignment; "top"/"bottom"/"vcenter" are accepted here too.
    if (has("left")) m_uTextStyle = (m_uTextStyle & ~(DT_CENTER | DT_RIGHT)) | DT_LEFT;
    if (has("center")) m_uTextStyle = (m_uTextStyle & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER;
    if (has("right")) m_uTextStyle = (m_uTextStyle & ~(DT_LEFT | DT_CENTER)) | DT_RIGHT;
    if (has("top")) m_uTextStyle = (m_uTextStyle & ~(DT_BOTTOM | DT_VCENTER)) | DT_TOP;
    if (has("bottom")) m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_VCENTER)) | DT_BOTTOM;
    if (has("vcenter")) m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_BOTTOM)) | DT_VCENTER;
    Invalidate();
  } else if (is("valign")) {
    if (has("top")) m_uTextStyle = (m_uTextStyle & ~(DT_BOTTOM | DT_VCENTER)) | DT_TOP;
    if (has("bottom")) m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_VCENTER)) | DT_BOTTOM;
    if (has("vcenter") || has("center")) m_uTextStyle = (m_uTextStyle & ~(DT_TOP | DT_BOTTOM)) | DT_VCENTER;
    Invalidate();
  } else if (is("endellipsis")) {
    SetTextStyle(ParseBool(pstrValue) ? (m_uTextStyle | DT_END_ELLIPSIS) : (m_uTextStyle & ~DT_END_ELLIPSIS));
  } else if (is("wordbreak") || is("multiline")) {
    // Several lines: DT_SINGLELINE off, word wrapping on.
    SetTextStyle(ParseBool(pstrValue) ? ((m_uTextStyle & ~DT_SINGLELINE) | DT_WORDBREAK)
                                      : ((m_uTextStyle & ~DT_WORDBREAK) | DT_SINGLELINE));
  } else if (is("font")) {
    SetFont(ParseInt(pstrValue));
  } else if (is("textcolor")) {
    SetTextColor(CRenderEngine::ParseColor(pstrValue));
  } else if (is("disabledtextcolor")) {
    SetDisabledTextColor(CRenderEngine::ParseColor(pstrValue));
  } else if (is("textpadding")) {
    SetTextPadding(ParseRect(pstrValue));
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

HFONT CLabelUI::GetFontHandle() const { return m_pManager != nullptr ? m_pManager->GetFont(m_iFont) : nullptr; }

void CLabelUI::PaintText(HDC hDC) {
  DWORD color = m_dwTextColor;
  if (!IsEnabled()) {
    color = m_dwDisabledTextColor;
    if (color == 0 && m_pManager != nullptr) color = m_pManager->GetDefaultDisabledColor();
  }
  DrawTextWithColor(hDC, color);
}

void CLabelUI::DrawTextWithColor(HDC hDC, DWORD dwColor) {
  if (m_sText.IsEmpty()) return;
  if (dwColor == 0) dwColor = m_pManager != nullptr ? m_pManager->GetDefaultFontColor() : 0xFF000000;
  const RECT pad = GetTextPadding();
  RECT rc = {m_rcItem.left + pad.left, m_rcItem.top + pad.top, m_rcItem.right - pad.right,
             m_rcItem.bottom - pad.bottom};
  // Multi-line text cannot be centred vertically by DrawText itself.
  UINT style = m_uTextStyle;
  if ((style & DT_SINGLELINE) == 0 && (style & (DT_VCENTER | DT_BOTTOM)) != 0) {
    RECT measure = rc;
    CRenderEngine::DrawText(hDC, measure, m_sText, dwColor, GetFontHandle(), style | DT_CALCRECT);
    const int height = measure.bottom - measure.top;
    const int room = (rc.bottom - rc.top) - height;
    if (room > 0) rc.top += (style & DT_BOTTOM) != 0 ? room : room / 2;
    style &= ~(DT_VCENTER | DT_BOTTOM);
  }
  CRenderEngine::DrawText(hDC, rc, m_sText, dwColor, GetFontHandle(), style | DT_NOPREFIX);
}

CTextUI::CTextUI() { m_uTextStyle = DT_WORDBREAK; }

LPCSTR CTextUI::GetClass() const { return "TextUI"; }

LPVOID CTextUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_TEXT) == 0) return this;
  return CLabelUI::GetInterface(pstrName);
}

}  // namespace DuiLib
