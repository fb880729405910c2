// A real toolkit window for the browser tests: a paint manager over a native
// window, with a control tree handed in by the test.
#pragma once

#include <windows.h>

#include "duilib/UIlib.h"

namespace tamvelo::test {

class UiWindow : public DuiLib::CWindowWnd {
 public:
  // The class name matters to tab processes, which look for the main
  // window's class.
  explicit UiWindow(const char* className = "WebUiTestWindow") : className_(className) {}
  ~UiWindow() override;

  // Visible at (0, 0) with that client size.
  HWND CreateShown(int width, int height);
  // Takes ownership of the tree and lays it out at once.
  void Attach(DuiLib::CControlUI* root);
  DuiLib::CPaintManagerUI& pm() { return pm_; }

  LPCSTR GetWindowClassName() const override { return className_; }

 protected:
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

 private:
  const char* className_;
  DuiLib::CPaintManagerUI pm_;
};

// The rectangle of a child window in its parent's client coordinates.
RECT ChildRect(HWND child);

}  // namespace tamvelo::test
