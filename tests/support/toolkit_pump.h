// The suites' message loop with the toolkit's filter in front, as the
// program's own loop has it: the skinned windows get their keys.
#pragma once

#include "duilib/UIControl.h"
#include "duilib/UIManager.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {

inline const MessageFilter kToolkitFilter = &DuiLib::CPaintManagerUI::TranslateMessage;

// Handles what is queued; true when a quit message was among them.
inline bool PumpToolkit() { return PumpQueued(kToolkitFilter); }

// A real click, posted: the mouse goes down and up in the middle of the
// control, and the window handles it when its loop next runs.
inline void PostClick(HWND window, const DuiLib::CControlUI* control) {
  const RECT place = control->GetPos();
  const LPARAM point = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
  PostMessageA(window, WM_MOUSEMOVE, 0, point);
  PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageA(window, WM_LBUTTONUP, 0, point);
}

}  // namespace tamvelo::test
