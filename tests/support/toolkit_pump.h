// The suites' message loop with the toolkit's filter in front, as the
// program's own loop has it: the skinned windows get their keys.
#pragma once

#include "duilib/UIManager.h"
#include "tests/support/window_helpers.h"

namespace tamvelo::test {

inline const MessageFilter kToolkitFilter = &DuiLib::CPaintManagerUI::TranslateMessage;

// Handles what is queued; true when a quit message was among them.
inline bool PumpToolkit() { return PumpQueued(kToolkitFilter); }

}  // namespace tamvelo::test
