#include "box/windows/close_hint_dialog.h"

#include "common/config_ini.h"

void CCloseHintDialog::InitWindow() {
  m_pYesBtn = m_pm.FindControl("yesbtn");
  m_pNoBtn = m_pm.FindControl("nobtn");
  m_pExitOption = static_cast<DuiLib::COptionUI*>(m_pm.FindControl("ExitDirectbtn"));
  m_pTrayOption = static_cast<DuiLib::COptionUI*>(m_pm.FindControl("MoveInTraybtn"));
  m_pRemember = static_cast<DuiLib::CCheckBoxUI*>(m_pm.FindControl("chkOption"));
  InitBackground();
}

bool CCloseHintDialog::OnClick(const DuiLib::CDuiString& name) {
  if (name == "nobtn") HideWindow();
  else if (name == "yesbtn") OnConfirm();
  else return false;
  return true;
}

void CCloseHintDialog::OnConfirm() {
  HideWindow();
  const bool remember = m_pRemember != nullptr && m_pRemember->GetCheck();
  const bool quit = m_pExitOption != nullptr && m_pExitOption->IsSelected();
  const bool hide = !quit && m_pTrayOption != nullptr && m_pTrayOption->IsSelected();
  if (!quit && !hide) return;
  if (remember && m_pszConfigPath != nullptr) {
    using tamvelo::config::ExitDirect;
    tamvelo::config::WriteExitDirect(m_pszConfigPath, quit ? ExitDirect::Quit : ExitDirect::Hide);
  }
  if (m_pMainWnd == nullptr) return;
  if (quit) m_pMainWnd->QuitApplication();
  else m_pMainWnd->HideMainWindow();
}
