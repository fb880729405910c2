#include "duilib/UIButton.h"

#include <string.h>

#include "duilib/UIRender.h"

namespace DuiLib {

CButtonUI::CButtonUI() { m_uTextStyle = DT_SINGLELINE | DT_VCENTER | DT_CENTER; }

LPCSTR CButtonUI::GetClass() const { return "ButtonUI"; }

LPVOID CButtonUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_BUTTON) == 0) return this;
  return CLabelUI::GetInterface(pstrName);
}

UINT CButtonUI::GetControlFlags() const {
  return (IsKeyboardEnabled() ? UIFLAG_TABSTOP : 0) | (IsEnabled() ? UIFLAG_SETCURSOR : 0);
}

bool CButtonUI::Activate() {
  if (!CControlUI::Activate()) return false;
  if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_CLICK);
  return true;
}

void CButtonUI::SetEnabled(bool bEnable) {
  CControlUI::SetEnabled(bEnable);
  if (bEnable) m_uButtonState &= ~UISTATE_DISABLED;
  else m_uButtonState = (m_uButtonState & UISTATE_SELECTED) | UISTATE_DISABLED;
}

void CButtonUI::DoEvent(TEventUI& event) {
  if (!IsMouseEnabled() && event.Type > UIEVENT__MOUSEBEGIN && event.Type < UIEVENT__MOUSEEND) {
    CLabelUI::DoEvent(event);
    return;
  }
  switch (event.Type) {
    case UIEVENT_SETFOCUS:
      m_uButtonState |= UISTATE_FOCUSED;
      break;
    case UIEVENT_KILLFOCUS:
      m_uButtonState &= ~UISTATE_FOCUSED;
      break;
    case UIEVENT_KEYDOWN:
      if (IsKeyboardEnabled() && (event.wParam == VK_SPACE || event.wParam == VK_RETURN)) {
        Activate();
        return;
      }
      break;
    case UIEVENT_BUTTONDOWN:
    case UIEVENT_DBLCLICK:
      if (::PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) {
        m_uButtonState |= UISTATE_PUSHED | UISTATE_CAPTURED;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSEMOVE:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        // Pressed look only while the mouse is still over the button.
        const UINT old = m_uButtonState;
        if (::PtInRect(&m_rcItem, event.ptMouse)) m_uButtonState |= UISTATE_PUSHED;
        else m_uButtonState &= ~UISTATE_PUSHED;
        if (old != m_uButtonState) Invalidate();
        return;
      }
      break;
    case UIEVENT_BUTTONUP:
      if ((m_uButtonState & UISTATE_CAPTURED) != 0) {
        m_uButtonState &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
        Invalidate();
        // Released outside: no click, as with system buttons.
        if (::PtInRect(&m_rcItem, event.ptMouse) && IsEnabled()) Activate();
      }
      return;
    case UIEVENT_MOUSEENTER:
      if (IsEnabled()) {
        m_uButtonState |= UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_MOUSELEAVE:
      if ((m_uButtonState & UISTATE_HOT) != 0) {
        m_uButtonState &= ~UISTATE_HOT;
        Invalidate();
      }
      return;
    case UIEVENT_SETCURSOR:
      ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
      return;
    default:
      break;
  }
  CLabelUI::DoEvent(event);
}

void CButtonUI::SetNormalImage(LPCSTR pStrImage) { SetPaintText(m_sNormalImage, pStrImage); }
void CButtonUI::SetHotImage(LPCSTR pStrImage) { SetPaintText(m_sHotImage, pStrImage); }
void CButtonUI::SetPushedImage(LPCSTR pStrImage) { SetPaintText(m_sPushedImage, pStrImage); }
void CButtonUI::SetFocusedImage(LPCSTR pStrImage) { SetPaintText(m_sFocusedImage, pStrImage); }
void CButtonUI::SetDisabledImage(LPCSTR pStrImage) { SetPaintText(m_sDisabledImage, pStrImage); }

void CButtonUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  auto is = [pstrName](const char* name) { return _stricmp(pstrName, name) == 0; };
  if (is("normalimage")) SetNormalImage(pstrValue);
  else if (is("hotimage")) SetHotImage(pstrValue);
  else if (is("pushedimage")) SetPushedImage(pstrValue);
  else if (is("focusedimage")) SetFocusedImage(pstrValue);
  else if (is("disabledimage")) SetDisabledImage(pstrValue);
  else if (is("hottextcolor")) SetHotTextColor(CRenderEngine::ParseColor(pstrValue));
  else if (is("pushedtextcolor")) SetPushedTextColor(CRenderEngine::ParseColor(pstrValue));
  else if (is("hotbkcolor")) SetHotBkColor(CRenderEngine::ParseColor(pstrValue));
  else CLabelUI::SetAttribute(pstrName, pstrValue);
}

void CButtonUI::PaintBkColor(HDC hDC) {
  if ((m_uButtonState & UISTATE_HOT) != 0 && m_dwHotBkColor != 0) {
    CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwHotBkColor);
    return;
  }
  CLabelUI::PaintBkColor(hDC);
}

void CButtonUI::PaintStatusImage(HDC hDC) {
  const char* image = nullptr;
  if ((m_uButtonState & UISTATE_DISABLED) != 0) image = m_sDisabledImage;
  else if ((m_uButtonState & UISTATE_PUSHED) != 0) image = m_sPushedImage;
  else if ((m_uButtonState & UISTATE_HOT) != 0) image = m_sHotImage;
  else if ((m_uButtonState & UISTATE_FOCUSED) != 0) image = m_sFocusedImage;
  if (image != nullptr && *image != '\0' && DrawImage(hDC, image)) return;
  DrawImage(hDC, m_sNormalImage);
}

void CButtonUI::PaintText(HDC hDC) {
  if (!IsEnabled()) {
    CLabelUI::PaintText(hDC);
    return;
  }
  DWORD color = m_dwTextColor;
  if ((m_uButtonState & UISTATE_PUSHED) != 0 && m_dwPushedTextColor != 0) color = m_dwPushedTextColor;
  else if ((m_uButtonState & UISTATE_HOT) != 0 && m_dwHotTextColor != 0) color = m_dwHotTextColor;
  DrawTextWithColor(hDC, color);
}

}  // namespace DuiLib
