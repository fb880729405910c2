// Dispatches notifications through a class's static notification map
// (UIDefine.h): the class's own entries first, then its base classes'.
#pragma once

#include "duilib/UIDefine.h"
#include "duilib/UIManager.h"

namespace DuiLib {

class CNotifyPump {
 public:
  virtual ~CNotifyPump() = default;
  // Calls the first matching handler; nothing when none matches.
  void NotifyPump(TNotifyUI& msg);
  // True when a handler was found and called.
  bool LoopDispatch(TNotifyUI& msg);

  DUI_DECLARE_MESSAGE_MAP()
};

}  // namespace DuiLib
