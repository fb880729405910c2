// The colour skin: read at start-up, applied to every window, stored.
#include <string>

#include "box/mainwnd/main_wnd.h"
#include "box/prefs/skin_names.h"
#include "box/tabs/scroll_tab.h"
#include "box/windows/about_wnd.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/message_wnd.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/skin_wnd.h"
#include "common/config_ini.h"

namespace {

void SetTabImages(DuiLib::COptionUI* tab, const std::string& folder) {
  if (tab == nullptr) return;
  const std::string selected = tamvelo::prefs::TabSelectedImage(folder);
  tab->SetNormalImage(tamvelo::prefs::TabNormalImage(folder).c_str());
  tab->SetHotImage(tamvelo::prefs::TabHotImage(folder).c_str());
  tab->SetPushedImage(selected.c_str());
  tab->SetSelectedImage(selected.c_str());
}

}  // namespace

int CMainWnd::ReadSkinIndex() {
  return tamvelo::prefs::ClampSkinIndex(tamvelo::config::ReadSkin(m_szConfigPath));
}

void CMainWnd::SetSkinName(int index) {
  ::lstrcpynA(m_szSkinName, tamvelo::prefs::SkinFolderName(index), sizeof m_szSkinName);
}

void CMainWnd::ApplySkin(int index) {
  tamvelo::config::WriteSkin(m_szConfigPath, index);
  SetSkinName(index);
  const std::string folder = m_szSkinName;
  const std::string background = tamvelo::prefs::SkinBackgroundPath(folder);
  if (m_pBackground != nullptr) m_pBackground->SetBkImage(background.c_str());
  SetTabImages(m_pHomeTab, folder);
  if (m_pTabBar != nullptr) {
    for (const auto& record : m_pTabBar->GetTabRecords()) {
      if (record->button == nullptr) continue;
      record->button->SetSkinFolder(m_szSkinName);
      SetTabImages(record->button->GetTabButton(), folder);
    }
  }
  for (CSmallWnd* window : {static_cast<CSmallWnd*>(m_pSkinWnd), static_cast<CSmallWnd*>(m_pAboutWnd),
                            static_cast<CSmallWnd*>(m_pSettingWnd), static_cast<CSmallWnd*>(m_pCloseHint),
                            static_cast<CSmallWnd*>(m_pAltAccountWnd)}) {
    if (window != nullptr) window->SetBackgroundImage(background.c_str());
  }
}
