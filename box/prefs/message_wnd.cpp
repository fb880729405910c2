#include "box/prefs/message_wnd.h"

#include <string>

#include "box/prefs/click_name.h"
#include "box/web/tabbrowser.h"
#include "common/portal_settings.h"

namespace {
constexpr char kAltAccountPath[] = "/box/xiaohao_1_box.html";
}

void CMessageWnd::InitWindow() {
  m_pTitle = m_pm.FindControl("text1");
  InitBackground();
}

void CMessageWnd::Notify(DuiLib::TNotifyUI& msg) {
  if (tamvelo::prefs::ClickedNameLower(msg) == "closebtn1") {
    HideWindow();
    return;
  }
  WindowImplBase::Notify(msg);
}

DuiLib::CControlUI* CMessageWnd::CreateControl(LPCSTR pstrClass) {
  if (pstrClass == nullptr || _stricmp(pstrClass, "Tabbrowser") != 0) return nullptr;
  m_pBrowser = new CTabbrowserUI();
  m_pBrowser->m_pTabBar = m_pTabBar;
  m_pBrowser->m_pOwnerWnd = this;
  return m_pBrowser;
}

void CMessageWnd::Show(HWND) {
  ShowCentered();
  if (m_pBrowser != nullptr) {
    const std::string address = std::string(tamvelo::kPortalBaseUrl) + kAltAccountPath;
    m_pBrowser->Navigate2(address.c_str());
  }
  if (m_pTitle != nullptr) m_pTitle->SetText("小号多开");
}
