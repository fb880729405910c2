#include "duilib/UIContainer.h"

#include <string.h>

#include <algorithm>

#include "duilib/UIAttribute.h"
#include "duilib/UIStackLayout.h"

namespace DuiLib {

CContainerUI::~CContainerUI() {
  // The whole subtree goes now: nothing of it may outlive its parent.
  m_bDelayedDestroy = false;
  RemoveAll();
}

LPCSTR CContainerUI::GetClass() const { return "ContainerUI"; }

LPVOID CContainerUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr) {
    if (strcmp(pstrName, DUI_CTR_ICONTAINER) == 0) return static_cast<IContainerUI*>(this);
    if (strcmp(pstrName, DUI_CTR_CONTAINER) == 0) return static_cast<CContainerUI*>(this);
  }
  return CControlUI::GetInterface(pstrName);
}

CControlUI* CContainerUI::GetItemAt(int iIndex) const {
  if (iIndex < 0 || iIndex >= static_cast<int>(m_items.size())) return nullptr;
  return m_items[iIndex];
}

int CContainerUI::GetItemIndex(CControlUI* pControl) const {
  const auto it = std::find(m_items.begin(), m_items.end(), pControl);
  return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

bool CContainerUI::SetItemIndex(CControlUI* pControl, int iIndex) {
  const int current = GetItemIndex(pControl);
  if (current < 0 || iIndex < 0 || iIndex >= GetCount()) return false;
  m_items.erase(m_items.begin() + current);
  m_items.insert(m_items.begin() + iIndex, pControl);
  NeedUpdate();
  return true;
}

int CContainerUI::GetCount() const { return static_cast<int>(m_items.size()); }

bool CContainerUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CContainerUI::AddAt(CControlUI* pControl, int iIndex) {
  if (pControl == nullptr || pControl == this || iIndex < 0 || iIndex > GetCount()) return false;
  if (GetItemIndex(pControl) >= 0) return false;
  m_items.insert(m_items.begin() + iIndex, pControl);
  pControl->SetInternVisible(IsVisible());
  if (m_pManager != nullptr) {
    m_pManager->InitControls(pControl, this);
  } else {
    pControl->SetManager(nullptr, this, false);
  }
  NeedUpdate();
  return true;
}

void CContainerUI::Dispose(CControlUI* pControl, bool bDoNotDestroy) {
  if (bDoNotDestroy || !m_bAutoDestroy) {
    // Handed back to the caller: detached from this window.
    if (m_pManager != nullptr) m_pManager->ReapObjects(pControl);
    pControl->SetManager(nullptr, nullptr, false);
  } else if (m_bDelayedDestroy && m_pManager != nullptr) {
    m_pManager->AddDelayedCleanup(pControl);
  } else {
    delete pControl;
  }
}

bool CContainerUI::Remove(CControlUI* pControl, bool bDoNotDestroy) {
  const int index = GetItemIndex(pControl);
  if (index < 0) return false;
  return RemoveAt(index, bDoNotDestroy);
}

bool CContainerUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
  CControlUI* pControl = GetItemAt(iIndex);
  if (pControl == nullptr) return false;
  pControl->Invalidate();
  m_items.erase(m_items.begin() + iIndex);
  Dispose(pControl, bDoNotDestroy);
  NeedUpdate();
  return true;
}

void CContainerUI::RemoveAll() {
  std::vector<CControlUI*> items;
  items.swap(m_items);
  for (CControlUI* pControl : items) Dispose(pControl, false);
  NeedUpdate();
}

RECT CContainerUI::GetInset() const { return Scale(m_rcInset); }

void CContainerUI::SetInset(RECT rcInset) {
  m_rcInset = rcInset;
  NeedUpdate();
}

int CContainerUI::GetChildPadding() const { return Scale(m_iChildPadding); }

void CContainerUI::SetChildPadding(int iPadding) {
  m_iChildPadding = iPadding;
  NeedUpdate();
}

void CContainerUI::SetVisible(bool bVisible) {
  if (m_bVisible == bVisible) return;
  CControlUI::SetVisible(bVisible);
  for (CControlUI* pControl : m_items) pControl->SetInternVisible(IsVisible());
}

void CContainerUI::SetInternVisible(bool bVisible) {
  CControlUI::SetInternVisible(bVisible);
  for (CControlUI* pControl : m_items) pControl->SetInternVisible(IsVisible());
}

void CContainerUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  // Children first, so that a container's Init finds them ready.
  for (CControlUI* pControl : m_items) pControl->SetManager(pManager, this, bInit);
  CControlUI::SetManager(pManager, pParent, bInit);
}

CControlUI* CContainerUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
  if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
  if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
  if ((uFlags & UIFIND_HITTEST) != 0) {
    if (!::PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData))) return nullptr;
    if (!m_bMouseChildEnabled) return CControlUI::FindControl(Proc, pData, uFlags);
  }
  if ((uFlags & UIFIND_ME_FIRST) != 0) {
    if (CControlUI* pControl = CControlUI::FindControl(Proc, pData, uFlags)) return pControl;
  }
  // A snapshot: Proc may be anything, including code that changes the tree.
  const std::vector<CControlUI*> items = m_items;
  if ((uFlags & UIFIND_TOP_FIRST) != 0) {
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      if (CControlUI* pControl = (*it)->FindControl(Proc, pData, uFlags)) return pControl;
    }
  } else {
    for (CControlUI* item : items) {
      if (CControlUI* pControl = item->FindControl(Proc, pData, uFlags)) return pControl;
    }
  }
  if ((uFlags & UIFIND_ME_FIRST) == 0) return CControlUI::FindControl(Proc, pData, uFlags);
  return nullptr;
}

RECT CContainerUI::GetInnerRect() const {
  const RECT inset = GetInset();
  RECT rc = m_rcItem;
  rc.left += inset.left;
  rc.top += inset.top;
  rc.right -= inset.right;
  rc.bottom -= inset.bottom;
  if (rc.right < rc.left) rc.right = rc.left;
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  return rc;
}

void CContainerUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  const RECT inner = GetInnerRect();
  for (int i = 0; i < GetCount(); ++i) {
    CControlUI* pControl = m_items[i];
    if (!pControl->IsVisible()) continue;
    if (pControl->IsFloat()) {
      SetFloatPos(i);
      continue;
    }
    const RECT padding = pControl->GetPadding();
    RECT rcCtrl = {inner.left + padding.left, inner.top + padding.top, inner.right - padding.right,
                   inner.bottom - padding.bottom};
    const int cx = pControl->GetFixedWidth();
    const int cy = pControl->GetFixedHeight();
    if (cx > 0) rcCtrl.right = rcCtrl.left + cx;
    if (cy > 0) rcCtrl.bottom = rcCtrl.top + cy;
    pControl->SetPos(rcCtrl, false);
  }
}

void CContainerUI::SetStackedPos(RECT rc, bool bNeedInvalidate, bool bVertical) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  StackChildren(m_items, GetInnerRect(), GetChildPadding(), bVertical);
  for (int i = 0; i < GetCount(); ++i) SetFloatPos(i);
}

void CContainerUI::SetFloatPos(int iIndex) {
  CControlUI* pControl = GetItemAt(iIndex);
  if (pControl == nullptr || !pControl->IsVisible() || !pControl->IsFloat()) return;
  pControl->SetPos(pControl->GetFloatPos(m_rcItem), false);
}

void CContainerUI::DoPaint(HDC hDC, const RECT& rcPaint) {
  RECT rcMine;
  if (!::IntersectRect(&rcMine, &rcPaint, &m_rcItem)) return;
  CControlUI::DoPaint(hDC, rcPaint);
  // Children draw only inside their parent.
  for (CControlUI* pControl : m_items) {
    if (!pControl->IsVisible()) continue;
    RECT rcChild;
    const RECT pos = pControl->GetPos();
    if (!::IntersectRect(&rcChild, &rcMine, &pos)) continue;
    pControl->DoPaint(hDC, rcMine);
  }
}

void CContainerUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  if (_stricmp(pstrName, "inset") == 0) {
    SetInset(ParseRect(pstrValue));
  } else if (_stricmp(pstrName, "childpadding") == 0) {
    SetChildPadding(ParseInt(pstrValue));
  } else if (_stricmp(pstrName, "mousechild") == 0) {
    SetMouseChildEnabled(ParseBool(pstrValue));
  } else {
    CControlUI::SetAttribute(pstrName, pstrValue);
  }
}

}  // namespace DuiLib
