#include "box/windows/about_wnd.h"

#include <cstdio>

void CAboutWnd::InitWindow() {
  m_pVersion = m_pm.FindControl("version");
  InitBackground();
}

bool CAboutWnd::OnClick(const DuiLib::CDuiString& name) {
  if (name != "yesbtn") return false;
  HideWindow();
  return true;
}

void CAboutWnd::SetVersion(float version) {
  char number[20];
  std::snprintf(number, sizeof number, "%.1f", version);
  char text[200];
  std::snprintf(text, sizeof text, "版本号：v%s", number);
  if (m_pVersion != nullptr) m_pVersion->SetText(text);
}
