// What the three pop-up menus share: a layout and a window class given at
// construction, a link to the main window, the items every menu may have
// ("about", "quit_menu_btn"), and hiding as soon as the menu loses the
// keyboard focus, so that any click elsewhere closes it without an action.
#pragma once

#include "box/shared/main_window_ops.h"
#include "duilib/UIlib.h"


class CPopupMenu : public DuiLib::WindowImplBase {
 public:
  CPopupMenu(LPCSTR layoutFile, LPCSTR windowClass) : m_sLayoutFile(layoutFile), m_pszWindowClass(windowClass) {}

  LPCSTR GetWindowClassName() const override { return m_pszWindowClass; }
  DuiLib::CDuiString GetSkinFile() override { return m_sLayoutFile; }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  // A click on an item (names compared in lower case) runs its action.
  void Notify(DuiLib::TNotifyUI& msg) override;

  void SetMainWnd(tamvelo::MainWindowOps* mainWnd) { m_pMainWnd = mainWnd; }
  void Hide() { ShowWindow(false, true); }

  // At a point of the owner's client area (a click's mouse point).
  void ShowAt(HWND owner, POINT point);

 protected:
  // The menu's own items; called with the main window set.
  virtual void OnItem(const DuiLib::CDuiString& item) = 0;

  tamvelo::MainWindowOps* m_pMainWnd = nullptr;

 private:
  DuiLib::CDuiString m_sLayoutFile;
  LPCSTR m_pszWindowClass;
};
