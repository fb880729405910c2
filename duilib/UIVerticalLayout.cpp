#include "duilib/UIVerticalLayout.h"

#include <string.h>

namespace DuiLib {

LPCSTR CVerticalLayoutUI::GetClass() const { return "VerticalLayoutUI"; }

LPVOID CVerticalLayoutUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_VERTICALLAYOUT) == 0) return this;
  return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  SetStackedPos(rc, bNeedInvalidate, true);
}

}  // namespace DuiLib
