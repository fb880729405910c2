#include "duilib/UITabLayout.h"

#include <string.h>

#include "duilib/UIAttribute.h"

namespace DuiLib {

LPCSTR CTabLayoutUI::GetClass() const { return "TabLayoutUI"; }

LPVOID CTabLayoutUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_TABLAYOUT) == 0) return this;
  return CContainerUI::GetInterface(pstrName);
}

bool CTabLayoutUI::Add(CControlUI* pControl) { return AddAt(pControl, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI* pControl, int iIndex) {
  if (!CContainerUI::AddAt(pControl, iIndex)) return false;
  const bool wanted = m_iInitSel >= 0 ? iIndex == m_iInitSel : pControl->IsVisible();
  if (m_iCurSel < 0 && wanted) {
    m_iCurSel = iIndex;
  } else {
    if (m_iCurSel >= iIndex) ++m_iCurSel;
    pControl->SetVisible(false);
  }
  return true;
}

bool CTabLayoutUI::RemoveAt(int iIndex, bool bDoNotDestroy) {
  if (!CContainerUI::RemoveAt(iIndex, bDoNotDestroy)) return false;
  if (m_iCurSel == iIndex) {
    // The shown page went: show the one that took its place, or the last.
    m_iCurSel = -1;
    if (GetCount() > 0) SelectItem(iIndex < GetCount() ? iIndex : GetCount() - 1, false);
  } else if (m_iCurSel > iIndex) {
    --m_iCurSel;
  }
  return true;
}

void CTabLayoutUI::RemoveAll() {
  m_iCurSel = -1;
  CContainerUI::RemoveAll();
}

bool CTabLayoutUI::SelectItem(int iIndex, bool bTriggerEvent) {
  if (iIndex < 0 || iIndex >= GetCount()) return false;
  if (iIndex == m_iCurSel) return true;
  const int oldSel = m_iCurSel;
  m_iCurSel = iIndex;
  for (int i = 0; i < GetCount(); ++i) m_items[i]->SetVisible(i == iIndex);
  NeedParentUpdate();
  if (bTriggerEvent && m_pManager != nullptr) {
    m_pManager->SendNotify(this, DUI_MSGTYPE_TABSELECT, m_iCurSel, oldSel);
  }
  return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* pControl, bool bTriggerEvent) {
  const int index = GetItemIndex(pControl);
  return index >= 0 && SelectItem(index, bTriggerEvent);
}

void CTabLayoutUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName != nullptr && _stricmp(pstrName, "selectedid") == 0) {
    m_iInitSel = ParseInt(pstrValue) < 0 ? -1 : ParseInt(pstrValue);
    SelectItem(m_iInitSel, false);
  } else {
    CContainerUI::SetAttribute(pstrName, pstrValue);
  }
}

}  // namespace DuiLib
