#include "box/prefs/down_sel_menu.h"

#include <string>

#include "box/mainwnd/main_wnd.h"
#include "box/prefs/click_name.h"
#include "box/web/tabbrowser.h"
#include "common/portal_settings.h"

void CDownSelMenu::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString item = tamvelo::prefs::ClickedNameLower(msg);
  if (item.IsEmpty() || m_pMainWnd == nullptr) return;
  if (item == "mulbtn") {
    Hide();
    m_pMainWnd->ShowAltAccountWindow();
  } else if (item == "logout") {
    Hide();
    if (CTabbrowserUI* home = m_pMainWnd->GetHomeBrowser()) {
      home->Navigate2((std::string(tamvelo::kPortalBaseUrl) + "/box/logout").c_str());
    }
  } else if (item == "about") {
    Hide();
    m_pMainWnd->ShowAboutWindow();
  } else if (item == "quit_menu_btn") {
    // Labelled "退出游戏盒": it quits as the tray menu's item does.
    Hide();
    m_pMainWnd->QuitApplication();
  }
}
