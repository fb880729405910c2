#include "duilib/UIHorizontalLayout.h"

#include <string.h>

namespace DuiLib {

LPCSTR CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

LPVOID CHorizontalLayoutUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_HORIZONTALLAYOUT) == 0) return this;
  return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  SetStackedPos(rc, bNeedInvalidate, false);
}

}  // namespace DuiLib
