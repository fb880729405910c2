#include "box/windows/main_menu.h"

#include <string>

#include "common/portal_address.h"

void CDuiMenu::OnItem(const DuiLib::CDuiString& item) {
  if (item == "setting") {
    Hide();
    m_pMainWnd->ShowSettingsWindow();
  } else if (item == "website") {
    Hide();
    m_pMainWnd->OpenInNewWindow(tamvelo::PortalAddress(tamvelo::kWebsitePath).c_str());
  }
}
