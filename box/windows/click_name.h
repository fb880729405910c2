// The name of a clicked control, as it is or in lower case for the windows
// that match names without regard to case; empty for any other notification.
#pragma once

#include "duilib/UIlib.h"

namespace tamvelo::windows {

inline DuiLib::CDuiString ClickedName(const DuiLib::TNotifyUI& msg) {
  if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr) return DuiLib::CDuiString();
  return msg.pSender->GetName();
}

inline DuiLib::CDuiString ClickedNameLower(const DuiLib::TNotifyUI& msg) {
  DuiLib::CDuiString name = ClickedName(msg);
  name.MakeLower();
  return name;
}

}  // namespace tamvelo::windows
