// The notification-area menu, opened by a right click on the tray icon:
// show the main window, settings, quit.
#pragma once

#include "box/windows/popup_menu.h"

class CTrayMenu : public CPopupMenu {
 public:
  // The placement rule assumes a menu of about this size (logical pixels).
  static constexpr int kAssumedWidth = 120;
  static constexpr int kAssumedHeight = 70;

  CTrayMenu();

  // At the cursor (screen coordinates), moved left and up where it would
  // leave the screen; topmost and in the foreground.
  void ShowAt(POINT cursor);

 protected:
  void OnItem(const DuiLib::CDuiString& item) override;

 private:
  int m_nScreenWidth;
  int m_nScreenHeight;
};
