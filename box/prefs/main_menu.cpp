#include "box/prefs/main_menu.h"

#include <string>

#include "box/mainwnd/main_wnd.h"
#include "box/prefs/click_name.h"
#include "common/portal_settings.h"

void CDuiMenu::Notify(DuiLib::TNotifyUI& msg) {
  const DuiLib::CDuiString item = tamvelo::prefs::ClickedNameLower(msg);
  if (item.IsEmpty() || m_pMainWnd == nullptr) return;
  if (item == "setting") {
    Hide();
    m_pMainWnd->ShowSettingsWindow();
  } else if (item == "website") {
    Hide();
    m_pMainWnd->OpenInNewWindow((std::string(tamvelo::kPortalBaseUrl) + "/?directopen").c_str());
  } else if (item == "about") {
    Hide();
    m_pMainWnd->ShowAboutWindow();
  } else if (item == "quit_menu_btn") {
    // Labelled "退出": it quits as the tray menu's item does.
    Hide();
    m_pMainWnd->QuitApplication();
  }
}
