// Learning without polling that a tab process ended (crashed, killed or
// gone by itself): a wait of the system's thread pool posts a private
// message to the main window, which then marks the tab's button.
#pragma once

#include <windows.h>

namespace tamvelo::tabs {

// Posted to the main window; wParam is the ended process's id.
inline constexpr UINT kMsgTabProcessEnded = WM_APP + 1;

// The button's mark and tooltip for a tab whose process ended.
inline constexpr char kEndedMark[] = "(已停止)";
inline constexpr char kEndedToolTip[] = "游戏已停止运行";

class TabEndWatch {
 public:
  TabEndWatch() = default;
  ~TabEndWatch() { Stop(); }
  TabEndWatch(const TabEndWatch&) = delete;
  TabEndWatch& operator=(const TabEndWatch&) = delete;

  // Starts watching; the process handle must stay open until Stop.
  bool Start(HANDLE process, DWORD processId, HWND notify);
  // Ends the watch; returns once a message being posted has been posted.
  void Stop();

 private:
  struct Target {
    HWND notify;
    DWORD processId;
  };
  static void CALLBACK OnEnded(void* target, BOOLEAN timedOut);

  HANDLE wait_ = nullptr;
  Target target_{};
};

}  // namespace tamvelo::tabs
