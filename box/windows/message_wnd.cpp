#include "box/windows/message_wnd.h"

#include <string>

#include "box/web/tabbrowser.h"
#include "common/portal_address.h"

void CMessageWnd::InitWindow() {
  m_pTitle = m_pm.FindControl("text1");
  InitBackground();
}

bool CMessageWnd::OnClick(const DuiLib::CDuiString& name) {
  if (name != "closebtn1") return false;  // this layout's close button
  HideWindow();
  return true;
}

DuiLib::CControlUI* CMessageWnd::CreateControl(LPCSTR pstrClass) {
  if (pstrClass == nullptr || _stricmp(pstrClass, "Tabbrowser") != 0) return nullptr;
  m_pBrowser = new CTabbrowserUI();
  m_pBrowser->m_pTabBar = m_pTabBar;
  m_pBrowser->m_pOwnerWnd = this;
  return m_pBrowser;
}

void CMessageWnd::Show() {
  ShowCentered(MarkShown::Last);
  if (m_pBrowser != nullptr) {
    const std::string address = tamvelo::PortalAddress(tamvelo::kAltAccountPagePath);
    m_pBrowser->Navigate2(address.c_str());
  }
  if (m_pTitle != nullptr) m_pTitle->SetText("小号多开");
}
