// Ending tab processes without waiting on them for ever: a tab whose page
// script hangs must not freeze the main window, at a tab's close nor at quit.
#pragma once

#include <windows.h>

#include <vector>

namespace tamvelo::tabs {

// How long one tab window may take to handle the command to end. A healthy
// tab answers in milliseconds; a thread hung in a page script never does.
inline constexpr DWORD kTabAnswerMs = 2000;
// How long a tab process may take to end after its command, before it is
// ended by force: its browser thread winds down in well under a second.
inline constexpr DWORD kTabEndGraceMs = 3000;
// The exit code of a tab process that was ended by force.
inline constexpr UINT kForcedExitCode = 0xDEAD;

// Sends WM_DESTROY (the tab program's command to end). Gives up after
// timeoutMs, or at once when the window's thread is hung. True when the
// window handled it.
bool TellWindowToEnd(HWND window, DWORD timeoutMs);

// Waits until every process ended, for graceMs in all, then ends the rest
// by force. The handles stay the caller's.
void EndProcessesWithin(const std::vector<HANDLE>& processes, DWORD graceMs);

// A handle of this process's own to the same process, or nullptr: it stays
// valid when the record that held the original closes it meanwhile. The
// caller closes it.
HANDLE CopyProcessHandle(HANDLE process);

// One tab to end: the window that takes the command, and its process.
struct TabToEnd {
  HWND window;
  HANDLE process;
};

// Tells each tab to end (each send bounded by answerMs). A tab that does
// not answer is ended by force at once; the others get graceMs in all to
// end by themselves. Returns when every process has ended.
void EndTabs(const std::vector<TabToEnd>& tabs, DWORD answerMs, DWORD graceMs);

// The same for one process without waiting here: a thread of its own keeps
// a duplicate of the handle, waits and ends the process if it is still
// alive after graceMs. The caller may close its handle at once.
void EndProcessLater(HANDLE process, DWORD graceMs);

}  // namespace tamvelo::tabs
