// The main menu, opened from the main window's "menubtn": settings, the
// portal's web site, about, and quitting.
#pragma once

#include "box/prefs/popup_menu.h"

class CDuiMenu : public CPopupMenu {
 public:
  CDuiMenu() : CPopupMenu("xml//menu.xml") {}
  LPCSTR GetWindowClassName() const override { return "CDuiMenu "; }
  void Notify(DuiLib::TNotifyUI& msg) override;

  // At a point of the main window's client area (the click's mouse point).
  void ShowAt(HWND mainWindow, POINT point) { MoveToClientPoint(mainWindow, point); }
};
