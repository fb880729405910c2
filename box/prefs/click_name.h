// The name of a clicked control in lower case, as the windows that match
// names without regard to case compare it; empty for any other notification.
#pragma once

#include "duilib/UIlib.h"

namespace tamvelo::prefs {

inline DuiLib::CDuiString ClickedNameLower(const DuiLib::TNotifyUI& msg) {
  if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr) return DuiLib::CDuiString();
  DuiLib::CDuiString name = msg.pSender->GetName();
  name.MakeLower();
  return name;
}

}  // namespace tamvelo::prefs
