// The notification-area icon's record: added and deleted with the same one.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace tamvelo::mainwnd {

inline constexpr UINT kTrayIconId = 101;
inline constexpr WORD kTrayIconResource = 101;

// The full structure of this architecture (508 bytes on 32-bit Windows),
// owned by `owner`, calling back with message 1124, with the program's name
// as tip and no balloon text.
NOTIFYICONDATAA MakeTrayIconRecord(HWND owner, HICON icon);

}  // namespace tamvelo::mainwnd
