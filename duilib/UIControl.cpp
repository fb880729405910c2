#include "duilib/UIControl.h"

#include <string.h>

#include "duilib/UIAttribute.h"
#include "duilib/UIRender.h"

namespace DuiLib {

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
  if (OnDestroy) OnDestroy(this);
  if (m_pManager != nullptr) m_pManager->ReapObjects(this);
}

void CControlUI::SetName(LPCSTR pstrName) {
  const CDuiString oldName = m_sName;
  m_sName = pstrName ? pstrName : "";
  if (m_pManager != nullptr && oldName != m_sName.GetData()) m_pManager->NameChanged(this, oldName);
}

LPCSTR CControlUI::GetClass() const { return "ControlUI"; }

LPVOID CControlUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_CONTROL) == 0) return this;
  return nullptr;
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  m_pManager = pManager;
  m_pParent = pParent;
  if (bInit && m_pManager != nullptr) Init();
}

void CControlUI::SetText(LPCSTR pstrText) { SetPaintText(m_sText, pstrText); }

void CControlUI::SetBkColor(DWORD dwBackColor) { SetPaintColor(m_dwBackColor, dwBackColor); }

void CControlUI::SetBkColor2(DWORD dwBackColor) { SetPaintColor(m_dwBackColor2, dwBackColor); }

void CControlUI::SetBkImage(LPCSTR pStrImage) { SetPaintText(m_sBkImage, pStrImage); }

void CControlUI::SetBorderColor(DWORD dwBorderColor) { SetPaintColor(m_dwBorderColor, dwBorderColor); }

void CControlUI::SetPaintText(CDuiString& field, LPCSTR value) {
  if (value == nullptr) value = "";
  if (field == value) return;
  field = value;
  Invalidate();
}

void CControlUI::SetPaintColor(DWORD& field, DWORD value) {
  if (field == value) return;
  field = value;
  Invalidate();
}

int CControlUI::GetBorderSize() const { return Scale(m_nBorderSize); }

void CControlUI::SetBorderSize(int nSize) {
  if (m_nBorderSize == nSize) return;
  m_nBorderSize = nSize < 0 ? 0 : nSize;
  Invalidate();
}

SIZE CControlUI::GetBorderRound() const { return SIZE{Scale(m_cxyBorderRound.cx), Scale(m_cxyBorderRound.cy)}; }

void CControlUI::SetBorderRound(SIZE cxyRound) {
  m_cxyBorderRound = cxyRound;
  Invalidate();
}

bool CControlUI::DrawImage(HDC hDC, LPCSTR pStrImage) {
  if (pStrImage == nullptr || *pStrImage == '\0') return false;
  const UINT dpi = m_pManager != nullptr ? m_pManager->GetDPIObj()->GetDPI() : 96;
  return CRenderEngine::DrawImageString(hDC, m_rcItem, m_rcPaint, pStrImage, dpi);
}

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  const RECT old = m_rcItem;
  const bool moved = !::EqualRect(&old, &rc);
  if (bNeedInvalidate && moved) Invalidate();  // where it was
  m_rcItem = rc;
  m_bUpdateNeeded = false;
  if (bNeedInvalidate && moved) Invalidate();  // where it is now
  if (!m_bSetPos && OnSize) {
    m_bSetPos = true;
    OnSize(this);
    m_bSetPos = false;
  }
}

RECT CControlUI::GetPadding() const { return Scale(m_rcPadding); }

void CControlUI::SetPadding(RECT rcPadding) {
  m_rcPadding = rcPadding;
  NeedParentUpdate();
}

SIZE CControlUI::GetFixedXY() const { return SIZE{Scale(m_cXY.cx), Scale(m_cXY.cy)}; }

void CControlUI::SetFixedXY(SIZE szXY) {
  m_cXY = szXY;
  NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return Scale(m_cxyFixed.cx); }
void CControlUI::SetFixedWidth(int cx) { SetLayoutHint(m_cxyFixed.cx, cx); }

int CControlUI::GetFixedHeight() const { return Scale(m_cxyFixed.cy); }
void CControlUI::SetFixedHeight(int cy) { SetLayoutHint(m_cxyFixed.cy, cy); }

int CControlUI::GetMinWidth() const { return Scale(m_cxyMin.cx); }
void CControlUI::SetMinWidth(int cx) { SetLayoutHint(m_cxyMin.cx, cx); }

int CControlUI::GetMaxWidth() const { return Scale(m_cxyMax.cx); }
void CControlUI::SetMaxWidth(int cx) { SetLayoutHint(m_cxyMax.cx, cx); }

int CControlUI::GetMinHeight() const { return Scale(m_cxyMin.cy); }
void CControlUI::SetMinHeight(int cy) { SetLayoutHint(m_cxyMin.cy, cy); }

int CControlUI::GetMaxHeight() const { return Scale(m_cxyMax.cy); }
void CControlUI::SetMaxHeight(int cy) { SetLayoutHint(m_cxyMax.cy, cy); }

void CControlUI::SetLayoutHint(LONG& hint, int value) {
  if (value < 0) return;
  hint = value;
  NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE) { return SIZE{GetFixedWidth(), GetFixedHeight()}; }

namespace {

// One axis of a floating control in logical pixels: a negative offset
// counts from the far edge.
void PlaceOnAxis(const CDPI& dpi, LONG offset, LONG length, LONG nearEdge, LONG farEdge, LONG& start, LONG& end) {
  if (offset >= 0) {
    start = nearEdge + dpi.Scale(offset);
    end = nearEdge + dpi.Scale(offset + length);
  } else {
    end = farEdge + dpi.Scale(offset);
    start = farEdge + dpi.Scale(offset - length);
  }
}

}  // namespace

RECT CControlUI::GetFloatPos(const RECT& rcParent) const {
  static const CDPI unscaled;
  const CDPI& dpi = m_pManager != nullptr ? *m_pManager->GetDPIObj() : unscaled;
  RECT rc;
  PlaceOnAxis(dpi, m_cXY.cx, m_cxyFixed.cx, rcParent.left, rcParent.right, rc.left, rc.right);
  PlaceOnAxis(dpi, m_cXY.cy, m_cxyFixed.cy, rcParent.top, rcParent.bottom, rc.top, rc.bottom);
  return rc;
}

void CControlUI::SetToolTip(LPCSTR pstrText) { m_sToolTip = pstrText ? pstrText : ""; }

void CControlUI::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  const bool wasVisible = IsVisible();
  if (wasVisible) Invalidate();  // clear where it was drawn
  m_bVisible = bVisible;
  if (!IsVisible() && m_pManager != nullptr && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
  if (IsVisible() != wasVisible) NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool bVisible) {
  m_bInternVisible = bVisible;
  if (!bVisible && m_pManager != nullptr && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

void CControlUI::SetEnabled(bool bEnable) {
  if (m_bEnabled == bEnable) return;
  m_bEnabled = bEnable;
  Invalidate();
}

void CControlUI::SetFocus() {
  if (m_pManager != nullptr) m_pManager->SetFocus(this);
}

void CControlUI::SetFloat(bool bFloat) {
  if (m_bFloat == bFloat) return;
  m_bFloat = bFloat;
  NeedParentUpdate();
}

CControlUI* CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((uFlags & UIFIND_HITTEST) != 0 &&
      (!m_bMouseEnabled || !::PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData)))) {
    return nullptr;
  }
  return Proc(this, pData);
}

void CControlUI::Invalidate() {
  if (m_pManager == nullptr || !IsVisible()) return;
  RECT rc = m_rcItem;
  for (CControlUI* parent = m_pParent; parent != nullptr; parent = parent->GetParent()) {
    const RECT parentRc = parent->GetPos();
    if (!::IntersectRect(&rc, &rc, &parentRc)) return;
  }
  m_pManager->Invalidate(rc);
}

void CControlUI::NeedUpdate() {
  if (!IsVisible()) return;
  m_bUpdateNeeded = true;
  Invalidate();
  if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
  if (m_pParent != nullptr) {
    m_pParent->NeedUpdate();
    m_pParent->Invalidate();
  } else {
    NeedUpdate();
  }
  if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::Init() {
  DoInit();
  if (OnInit) OnInit(this);
}

void CControlUI::Event(TEventUI& event) {
  if (OnEvent(&event)) DoEvent(event);
}

void CControlUI::DoEvent(TEventUI& event) {
  switch (event.Type) {
    case UIEVENT_SETCURSOR:
      ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
      return;
    case UIEVENT_SETFOCUS:
      m_bFocused = true;
      Invalidate();
      return;
    case UIEVENT_KILLFOCUS:
      m_bFocused = false;
      Invalidate();
      return;
    case UIEVENT_TIMER:
      if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
      return;
    case UIEVENT_CONTEXTMENU:
      if (IsContextMenuUsed() && m_pManager != nullptr) {
        m_pManager->SendNotify(this, DUI_MSGTYPE_MENU, event.wParam, event.lParam);
        return;
      }
      break;
    default:
      break;
  }
  // What a control does not handle goes to its parent (a container sees the
  // clicks on its plain children).
  if (m_pParent != nullptr) m_pParent->DoEvent(event);
}

void CControlUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  auto is = [pstrName](const char* name) { return _stricmp(pstrName, name) == 0; };
  if (is("pos")) {
    // A negative left or top counts from the parent's right or bottom edge,
    // and then right or bottom gives that offset.
    const RECT rc = ParseRect(pstrValue);
    SetFixedXY(SIZE{rc.left >= 0 ? rc.left : rc.right, rc.top >= 0 ? rc.top : rc.bottom});
    SetFixedWidth(rc.right - rc.left);
    SetFixedHeight(rc.bottom - rc.top);
  } else if (is("float")) {
    SetFloat(ParseBool(pstrValue));
  } else if (is("padding")) {
    SetPadding(ParseRect(pstrValue));
  } else if (is("bkcolor") || is("bkcolor1")) {
    SetBkColor(CRenderEngine::ParseColor(pstrValue));
  } else if (is("bkcolor2")) {
    SetBkColor2(CRenderEngine::ParseColor(pstrValue));
  } else if (is("bordercolor")) {
    SetBorderColor(CRenderEngine::ParseColor(pstrValue));
  } else if (is("bordersize")) {
    SetBorderSize(ParseInt(pstrValue));
  } else if (is("borderround")) {
    SetBorderRound(ParseSize(pstrValue));
  } else if (is("bkimage")) {
    SetBkImage(pstrValue);
  } else if (is("width")) {
    SetFixedWidth(ParseInt(pstrValue));
  } else if (is("height")) {
    SetFixedHeight(ParseInt(pstrValue));
  } else if (is("minwidth")) {
    SetMinWidth(ParseInt(pstrValue));
  } else if (is("minheight")) {
    SetMinHeight(ParseInt(pstrValue));
  } else if (is("maxwidth")) {
    SetMaxWidth(ParseInt(pstrValue));
  } else if (is("maxheight")) {
    SetMaxHeight(ParseInt(pstrValue));
  } else if (is("name")) {
    SetName(pstrValue);
  } else if (is("text")) {
    SetText(pstrValue);
  } else if (is("tooltip")) {
    SetToolTip(pstrValue);
  } else if (is("tooltipwidth")) {
    SetToolTipWidth(ParseInt(pstrValue));
  } else if (is("userdata")) {
    SetUserData(pstrValue);
  } else if (is("visible")) {
    SetVisible(ParseBool(pstrValue));
  } else if (is("enabled")) {
    SetEnabled(ParseBool(pstrValue));
  } else if (is("mouse")) {
    SetMouseEnabled(ParseBool(pstrValue));
  } else if (is("keyboard")) {
    SetKeyboardEnabled(ParseBool(pstrValue));
  } else if (is("menu")) {
    SetContextMenuUsed(ParseBool(pstrValue));
  }
}

CControlUI* CControlUI::ApplyAttributeList(LPCSTR pstrList) {
  ParseAttributeList(pstrList, [this](const char* name, const char* value) { SetAttribute(name, value); });
  return this;
}

void CControlUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
  PaintBkColor(hDC);
  PaintBkImage(hDC);
  PaintStatusImage(hDC);
  PaintText(hDC);
  PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
  if (m_dwBackColor == 0) return;
  if (m_dwBackColor2 != 0) {
    // The gradient spans the whole control; clip it to the painted part.
    const int saved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, m_rcPaint.left, m_rcPaint.top, m_rcPaint.right, m_rcPaint.bottom);
    CRenderEngine::DrawGradient(hDC, m_rcItem, m_dwBackColor, m_dwBackColor2, true);
    ::RestoreDC(hDC, saved);
  } else {
    CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwBackColor);
  }
}

void CControlUI::PaintBkImage(HDC hDC) { DrawImage(hDC, m_sBkImage); }

void CControlUI::PaintStatusImage(HDC) {}

void CControlUI::PaintText(HDC) {}

void CControlUI::PaintBorder(HDC hDC) {
  const int size = GetBorderSize();
  if (size <= 0 || m_dwBorderColor == 0) return;
  const SIZE round = GetBorderRound();
  if (round.cx > 0 || round.cy > 0) {
    CRenderEngine::DrawRoundRect(hDC, m_rcItem, size, round.cx, round.cy, m_dwBorderColor);
  } else {
    CRenderEngine::DrawRect(hDC, m_rcItem, size, m_dwBorderColor);
  }
}

int CControlUI::Scale(int value) const {
  return m_pManager != nullptr ? m_pManager->GetDPIObj()->Scale(value) : value;
}

RECT CControlUI::Scale(const RECT& rc) const {
  return m_pManager != nullptr ? m_pManager->GetDPIObj()->Scale(rc) : rc;
}

}  // namespace DuiLib
