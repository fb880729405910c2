// Pages on top of each other: only the selected child is visible, and it
// fills the inner rectangle. The skin's "selectedid" picks the first page.
#pragma once

#include "duilib/UIContainer.h"

namespace DuiLib {

class CTabLayoutUI : public CContainerUI {
 public:
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;

  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
  void RemoveAll() override;

  int GetCurSel() const { return m_iCurSel; }
  // Shows the page and hides the others; "tabselect" (wParam new index,
  // lParam old one) when the page changes. False for an index or control
  // that is not a page.
  virtual bool SelectItem(int iIndex, bool bTriggerEvent = true);
  virtual bool SelectItem(CControlUI* pControl, bool bTriggerEvent = true);

  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;

 private:
  int m_iCurSel = -1;
  int m_iInitSel = -1;  // "selectedid", applied as the pages are added
};

}  // namespace DuiLib
