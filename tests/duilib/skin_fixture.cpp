#include "tests/duilib/skin_fixture.h"

#include <windowsx.h>

namespace tamvelo::test {

SkinFolder::SkinFolder()
    : oldPath_(DuiLib::CPaintManagerUI::GetResourcePath()), oldType_(DuiLib::CPaintManagerUI::GetResourceType()) {
  DuiLib::CPaintManagerUI::SetResourceType(DuiLib::UILIB_FILE);
  DuiLib::CPaintManagerUI::SetResourcePath(dir_.path().c_str());
}

SkinFolder::~SkinFolder() {
  DuiLib::CPaintManagerUI::SetResourcePath(oldPath_.c_str());
  DuiLib::CPaintManagerUI::SetResourceType(oldType_);
}

void SkinFolder::Write(const std::string& name, const std::string& bytes) const {
  for (size_t slash = name.find('\\'); slash != std::string::npos; slash = name.find('\\', slash + 1)) {
    CreateDirectoryA((dir_.path() + name.substr(0, slash)).c_str(), nullptr);
  }
  tamvelo::test::WriteFile(dir_.File(name), bytes);
}

HWND TestWindow::CreateTest(bool visible, DWORD style) {
  HWND hWnd = Create(nullptr, "duilib test", style | (visible ? WS_VISIBLE : 0), 0, 100, 100, 300, 200);
  if (hWnd != nullptr && visible) Paint(hWnd);
  return hWnd;
}

int TestWindow::CountOf(const std::string& type, const std::string& sender) const {
  int n = 0;
  for (const Notification& note : notifications) {
    if (note.type == type && (sender.empty() || note.sender == sender)) ++n;
  }
  return n;
}

void TestWindow::Destroy() {
  if (m_hWnd != nullptr) DestroyWindow(m_hWnd);
}

void TestWindow::Notify(DuiLib::TNotifyUI& msg) {
  notifications.push_back({msg.sType.GetData(), msg.pSender ? msg.pSender->GetName().GetData() : ""});
  if (onNotify) onNotify(msg);
  WindowImplBase::Notify(msg);
}

DuiLib::CControlUI* TestWindow::CreateControl(LPCSTR pstrClass) {
  return createControl ? createControl(pstrClass) : nullptr;
}

void TestWindow::OnFinalMessage(HWND hWnd) {
  WindowImplBase::OnFinalMessage(hWnd);
  finalMessage = true;
}

LRESULT TestWindow::ResponseDefaultKeyEvent(WPARAM wParam) {
  return defaultKey ? defaultKey(wParam) : WindowImplBase::ResponseDefaultKeyEvent(wParam);
}

void Paint(HWND hWnd) {
  PumpToolkit();
  UpdateWindow(hWnd);
}

void MouseMove(HWND hWnd, int x, int y) { SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

void MouseDown(HWND hWnd, int x, int y) {
  SendMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  SendMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void MouseUp(HWND hWnd, int x, int y) { SendMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void Click(HWND hWnd, int x, int y) {
  MouseDown(hWnd, x, y);
  MouseUp(hWnd, x, y);
  PumpToolkit();
}

void Key(HWND hWnd, UINT vk, bool system) {
  const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16) | (system ? (1L << 29) : 0);
  const LPARAM up = down | (1L << 30) | (1L << 31);
  MSG msg = {hWnd, static_cast<UINT>(system ? WM_SYSKEYDOWN : WM_KEYDOWN), vk, down, 0, {0, 0}};
  if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) DispatchMessageA(&msg);
  msg.message = system ? WM_SYSKEYUP : WM_KEYUP;
  msg.lParam = up;
  if (!DuiLib::CPaintManagerUI::TranslateMessage(&msg)) DispatchMessageA(&msg);
  PumpToolkit();
}

COLORREF PixelAt(HWND hWnd, int x, int y) {
  // What the window shows on the screen after it painted itself.
  Paint(hWnd);
  HDC dc = GetDC(hWnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hWnd, dc);
  return RGB(GetBValue(c), GetGValue(c), GetRValue(c));
}

}  // namespace tamvelo::test
