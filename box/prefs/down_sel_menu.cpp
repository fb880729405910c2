#include "box/prefs/down_sel_menu.h"

#include <string>

#include "box/mainwnd/main_wnd.h"
#include "box/web/tabbrowser.h"
#include "common/portal_settings.h"

void CDownSelMenu::OnItem(const DuiLib::CDuiString& item) {
  if (item == "mulbtn") {
    Hide();
    m_pMainWnd->ShowAltAccountWindow();
  } else if (item == "logout") {
    Hide();
    if (CTabbrowserUI* home = m_pMainWnd->GetHomeBrowser()) {
      home->Navigate2((std::string(tamvelo::kPortalBaseUrl) + "/box/logout").c_str());
    }
  }
}
