// The native-window wrapper: registers the class, creates the window and
// routes its messages to HandleMessage; OnFinalMessage runs once the native
// window is gone (after WM_NCDESTROY), where an object that owns itself may
// delete itself.
#pragma once

#include <windows.h>

namespace DuiLib {

// A skin named by a file name or by a resource id.
class STRINGorID {
 public:
  STRINGorID(LPCSTR lpString) : m_lpstr(lpString) {}
  STRINGorID(UINT nID) : m_lpstr(MAKEINTRESOURCEA(nID)) {}
  LPCSTR m_lpstr;
};

#define UI_WNDSTYLE_CONTAINER (0)
#define UI_WNDSTYLE_FRAME (WS_VISIBLE | WS_OVERLAPPEDWINDOW)
#define UI_WNDSTYLE_CHILD (WS_VISIBLE | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
#define UI_WNDSTYLE_DIALOG (WS_VISIBLE | WS_POPUPWINDOW | WS_CAPTION | WS_DLGFRAME | WS_CLIPSIBLINGS | WS_CLIPCHILDREN)
#define UI_WNDSTYLE_EX_FRAME (WS_EX_WINDOWEDGE)
#define UI_WNDSTYLE_EX_DIALOG (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME)

class CWindowWnd {
 public:
  CWindowWnd() = default;
  virtual ~CWindowWnd() = default;
  CWindowWnd(const CWindowWnd&) = delete;
  CWindowWnd& operator=(const CWindowWnd&) = delete;

  HWND GetHWND() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Registers the class (once) and creates the window; nullptr on failure.
  // Once the window exists, its messages reach HandleMessage. If creation
  // fails after the window began to exist (a skin that cannot be built),
  // OnFinalMessage has already run when this returns nullptr: an object
  // that deletes itself there must not be touched afterwards.
  HWND Create(HWND hwndParent, LPCSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
              int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
  HWND Create(HWND hwndParent, LPCSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc,
              HMENU hMenu = nullptr);

  // Shows normally (activating it when bTakeFocus) or hides.
  void ShowWindow(bool bShow = true, bool bTakeFocus = true);
  // Posts WM_CLOSE: the window closes after the current message.
  void Close(UINT nRet = IDOK);
  // Centres over the owner when it is visible, else on the work area of the
  // window's monitor; kept inside that work area.
  void CenterWindow();
  void SetIcon(UINT nRes);

  LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);
  LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);

  virtual LPCSTR GetWindowClassName() const = 0;
  virtual UINT GetClassStyle() const { return 0; }

 protected:
  bool RegisterWindowClass();
  // The default window procedure.
  virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
  virtual void OnFinalMessage(HWND hWnd);

  static LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = nullptr;
};

}  // namespace DuiLib
