// Children side by side, left to right: the horizontal twin of
// CVerticalLayoutUI (fixed widths kept, the rest shared; heights fill).
#pragma once

#include "duilib/UIContainer.h"

namespace DuiLib {

class CHorizontalLayoutUI : public CContainerUI {
 public:
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

}  // namespace DuiLib
