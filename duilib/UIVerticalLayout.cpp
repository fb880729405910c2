#include "duilib/UIVerticalLayout.h"

#include <string.h>

#include "duilib/UIStackLayout.h"

namespace DuiLib {

LPCSTR CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

LPVOID CVerticalLayoutUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_VERTICALLAYOUT) == 0) return this;
  return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  StackChildren(m_items, GetInnerRect(), GetChildPadding(), true);
  for (int i = 0; i < GetCount(); ++i) SetFloatPos(i);
}

}  // namespace DuiLib
