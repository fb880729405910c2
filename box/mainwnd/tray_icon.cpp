#include "box/mainwnd/tray_icon.h"

#include "common/protocol.h"

namespace tamvelo::mainwnd {

NOTIFYICONDATAA MakeTrayIconRecord(HWND owner, HICON icon) {
  NOTIFYICONDATAA record = {};
  record.cbSize = sizeof record;
  record.hWnd = owner;
  record.uID = kTrayIconId;
  record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  record.uCallbackMessage = tamvelo::protocol::kMsgTrayIcon;
  record.hIcon = icon;
  ::lstrcpynA(record.szTip, "塔维洛游戏盒", sizeof record.szTip);
  return record;
}

}  // namespace tamvelo::mainwnd
