// Values of the main program that CMainWnd::InitWindow writes once, on the
// user-interface thread, before the update thread starts; read-only after.
#pragma once

#include <windows.h>

#include <atomic>

namespace tamvelo::app {

// A window handle that the user-interface thread clears while the update
// thread may read it. Copyable, so that the values can be saved and put
// back whole.
class SharedWindow {
 public:
  SharedWindow() = default;
  SharedWindow(const SharedWindow& other) : window_(static_cast<HWND>(other)) {}
  SharedWindow& operator=(const SharedWindow& other) { return *this = static_cast<HWND>(other); }
  SharedWindow& operator=(HWND window) {
    window_.store(window);
    return *this;
  }
  operator HWND() const { return window_.load(); }
  // Clears the handle if it still is this window; true when it did.
  bool ClearIf(HWND window) { return window_.compare_exchange_strong(window, nullptr); }

 private:
  std::atomic<HWND> window_{nullptr};
};

struct ProcessValues {
  float programVersion = 0.0f;  // 1.0
  SharedWindow mainWindow;  // cleared when the window goes
  char paramIniPath[MAX_PATH] = {};    // data folder + "config\param.ini"
  char versionIniPath[MAX_PATH] = {};  // data folder + "config\version.ini"
};

ProcessValues& MainProgramValues();

}  // namespace tamvelo::app
