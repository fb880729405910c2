#include "box/prefs/about_wnd.h"

#include <cstdio>

void CAboutWnd::InitWindow() {
  m_pVersion = m_pm.FindControl("version");
  InitBackground();
}

void CAboutWnd::Notify(DuiLib::TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender != nullptr) {
    const DuiLib::CDuiString name = msg.pSender->GetName();
    if (name == "closebtn" || name == "yesbtn") {
      HideWindow();
      return;
    }
  }
  WindowImplBase::Notify(msg);
}

void CAboutWnd::SetVersion(float version) {
  char number[20];
  std::snprintf(number, sizeof number, "%.1f", version);
  char text[200];
  std::snprintf(text, sizeof text, "版本号：v%s", number);
  if (m_pVersion != nullptr) m_pVersion->SetText(text);
}

void CAboutWnd::Show() { ShowCentered(); }
