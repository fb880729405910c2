// The account drop-down, opened from the main window's "down_sel" arrow:
// alt accounts, about, logging out, and quitting.
#pragma once

#include "box/prefs/popup_menu.h"

class CDownSelMenu : public CPopupMenu {
 public:
  CDownSelMenu() : CPopupMenu("xml//Down_Sel_Menu.xml") {}
  LPCSTR GetWindowClassName() const override { return "DownSelMenu "; }
  void Notify(DuiLib::TNotifyUI& msg) override;

  // At a point of the main window's client area (the click's mouse point).
  void ShowAt(HWND mainWindow, POINT point) { MoveToClientPoint(mainWindow, point); }
};
