// Ending a tab process, each step bounded. These calls wait on the tab, so
// they run on the watcher's threads (box/tabs/tab_watcher.h), never on the
// user-interface thread.
#pragma once

#include <windows.h>

#include "common/protocol.h"

namespace tamvelo::tabs {

// The exit code of a tab process that was ended by force.
inline constexpr UINT kForcedExitCode = 0xDEAD;
// How long a process ended by force may take to be gone: TerminateProcess
// only starts the end.
inline constexpr DWORD kForcedEndWaitMs = 2000;

// Sends WM_DESTROY (the tab program's command to end) within timeoutMs.
// True when the window handled it.
bool TellWindowToEnd(HWND window, DWORD timeoutMs);

enum class TabEnd { ByItself, ByForce, StillRunning };

// Tells the tab to end through the window (its host window ends the whole
// process), lets it end within graceMs, else ends it by force. Without a
// window, or when the window does not take the command within answerMs, it
// is ended by force at once. Returns once the process is gone, or with
// StillRunning when even the forced end did not finish in time.
TabEnd EndTabProcess(HWND window, HANDLE process, DWORD answerMs, DWORD graceMs);

// A handle of this process's own to the same process, or nullptr: it stays
// valid when the record that held the original closes it meanwhile. The
// caller closes it.
HANDLE CopyProcessHandle(HANDLE process);

}  // namespace tamvelo::tabs
