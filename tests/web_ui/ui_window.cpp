#include "tests/web_ui/ui_window.h"

namespace tamvelo::test {

UiWindow::~UiWindow() {
  if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

HWND UiWindow::CreateShown(int width, int height) {
  RECT frame = {0, 0, width, height};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  Create(nullptr, "web ui test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 0,
         frame.right - frame.left, frame.bottom - frame.top);
  return m_hWnd;
}

void UiWindow::Attach(DuiLib::CControlUI* root) {
  pm_.AttachDialog(root);
  pm_.NeedUpdate();
  pm_.UpdateLayout();
}

LRESULT UiWindow::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_CREATE) pm_.Init(m_hWnd);
  LRESULT result = 0;
  if (pm_.GetPaintWindow() != nullptr && pm_.MessageHandler(uMsg, wParam, lParam, result)) {
    return result;
  }
  return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

RECT ChildRect(HWND child) {
  RECT rc = {};
  ::GetWindowRect(child, &rc);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

}  // namespace tamvelo::test
