#include "box/windows/down_sel_menu.h"

#include <string>

#include "box/web/tabbrowser.h"
#include "common/portal_address.h"

void CDownSelMenu::OnItem(const DuiLib::CDuiString& item) {
  if (item == "mulbtn") {
    Hide();
    m_pMainWnd->ShowAltAccountWindow();
  } else if (item == "logout") {
    Hide();
    if (CTabbrowserUI* home = m_pMainWnd->GetHomeBrowser()) {
      home->Navigate2(tamvelo::PortalAddress(tamvelo::kLogoutPath).c_str());
    }
  }
}
