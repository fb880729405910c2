#include "duilib/UIHorizontalLayout.h"

#include <string.h>

#include "duilib/UIStackLayout.h"

namespace DuiLib {

LPCSTR CHorizontalLayoutUI::GetClass() const { return "HorizontalLayoutUI"; }

LPVOID CHorizontalLayoutUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_HORIZONTALLAYOUT) == 0) return this;
  return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CControlUI::SetPos(rc, bNeedInvalidate);
  StackChildren(m_items, GetInnerRect(), GetChildPadding(), false);
  for (int i = 0; i < GetCount(); ++i) SetFloatPos(i);
}

}  // namespace DuiLib
