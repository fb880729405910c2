#include "box/tabs/tab_ending.h"

namespace tamvelo::tabs {

HANDLE CopyProcessHandle(HANDLE process) {
  HANDLE own = nullptr;
  if (process == nullptr || !DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &own, 0,
                                             FALSE, DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return own;
}

bool TellWindowToEnd(HWND window, DWORD timeoutMs) {
  if (window == nullptr) return false;
  DWORD_PTR answer = 0;
  // On a watcher thread, bounded: never on the user interface's.
  return SendMessageTimeoutA(window, WM_DESTROY, 0, 0, protocol::kRecordSendFlags, timeoutMs, &answer) != 0;
}

TabEnd EndTabProcess(HWND window, HANDLE process, DWORD answerMs, DWORD graceMs) {
  if (process == nullptr) {
    TellWindowToEnd(window, answerMs);
    return TabEnd::ByItself;
  }
  // A send that failed because the tab's thread ended meanwhile still
  // leaves a process that ends by itself: a moment is enough to see it.
  constexpr DWORD kEndingNoticeMs = 200;
  const bool told = TellWindowToEnd(window, answerMs);
  if (WaitForSingleObject(process, told ? graceMs : kEndingNoticeMs) == WAIT_OBJECT_0) return TabEnd::ByItself;
  TerminateProcess(process, kForcedExitCode);
  return WaitForSingleObject(process, kForcedEndWaitMs) == WAIT_OBJECT_0 ? TabEnd::ByForce
                                                                          : TabEnd::StillRunning;
}

}  // namespace tamvelo::tabs
