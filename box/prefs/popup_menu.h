// What the three pop-up menus share: a layout given at construction, a link
// to the main window, and hiding as soon as the menu loses the keyboard
// focus, so that any click elsewhere closes it without an action.
#pragma once

#include "duilib/UIlib.h"

class CMainWnd;

class CPopupMenu : public DuiLib::WindowImplBase {
 public:
  explicit CPopupMenu(LPCSTR layoutFile) : m_sLayoutFile(layoutFile) {}

  DuiLib::CDuiString GetSkinFile() override { return m_sLayoutFile; }
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  void SetMainWnd(CMainWnd* mainWnd) { m_pMainWnd = mainWnd; }
  void Hide() { ShowWindow(false, true); }

 protected:
  // Moves the menu's top-left corner to a point of the owner's client area.
  void MoveToClientPoint(HWND owner, POINT point);

  CMainWnd* m_pMainWnd = nullptr;

 private:
  DuiLib::CDuiString m_sLayoutFile;
};
