// Children stacked top to bottom: fixed heights are kept, the rest of the
// height is shared by the children without one (the last takes the rounding
// remainder); widths fill the inner width unless fixed. Padding, inset and
// child padding are honoured; floating children are placed by "pos".
#pragma once

#include "duilib/UIContainer.h"

namespace DuiLib {

class CVerticalLayoutUI : public CContainerUI {
 public:
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};

}  // namespace DuiLib
