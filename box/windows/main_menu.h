// The main menu, opened from the main window's "menubtn": settings, the
// portal's web site, about, and quitting.
#pragma once

#include "box/windows/popup_menu.h"

class CDuiMenu : public CPopupMenu {
 public:
  CDuiMenu() : CPopupMenu("xml//menu.xml", "CDuiMenu ") {}

 protected:
  void OnItem(const DuiLib::CDuiString& item) override;
};
