#include "duilib/UINotifyPump.h"

#include <string.h>

#include "duilib/UIControl.h"

namespace DuiLib {

DUI_BEGIN_BASE_MESSAGE_MAP(CNotifyPump)
DUI_END_MESSAGE_MAP()

void CNotifyPump::NotifyPump(TNotifyUI& msg) { LoopDispatch(msg); }

bool CNotifyPump::LoopDispatch(TNotifyUI& msg) {
  const CDuiString senderName = msg.pSender != nullptr ? msg.pSender->GetName() : CDuiString();
  for (const DUI_MSGMAP* map = GetMessageMap(); map != nullptr;
       map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
    for (const DUI_MSGMAP_ENTRY* entry = map->lpEntries; entry->sMsgType != nullptr; ++entry) {
      if (msg.sType != entry->sMsgType) continue;
      if (entry->sCtrlName[0] != '\0' && senderName != entry->sCtrlName) continue;
      (this->*(entry->pfn))(msg);
      return true;
    }
  }
  return false;
}

}  // namespace DuiLib
