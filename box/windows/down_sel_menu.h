// The account drop-down, opened from the main window's "down_sel" arrow:
// alt accounts, about, logging out, and quitting.
#pragma once

#include "box/windows/popup_menu.h"

class CDownSelMenu : public CPopupMenu {
 public:
  CDownSelMenu() : CPopupMenu("xml//Down_Sel_Menu.xml", "DownSelMenu ") {}

 protected:
  void OnItem(const DuiLib::CDuiString& item) override;
};
