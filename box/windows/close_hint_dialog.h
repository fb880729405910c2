// Asked when the main window's close button is pressed and no choice is
// stored: quit, or go on running in the notification area; the check box
// stores the answer ("ExitDirect" 1 or 2) so that the question is not asked
// again.
#pragma once

#include "box/shared/main_window_ops.h"
#include "box/windows/small_wnd.h"


class CCloseHintDialog : public CSmallWnd {
 public:
  CCloseHintDialog() : CSmallWnd("xml//CloseHintDlg.xml", "CloseHintDialog", ClickNames::Exact) {}
  void InitWindow() override;

  void SetMainWnd(tamvelo::MainWindowOps* mainWnd) { m_pMainWnd = mainWnd; }
  void SetConfigPath(LPCSTR path) { m_pszConfigPath = path; }

  void Show() { ShowCentered(); }

 protected:
  bool OnClick(const DuiLib::CDuiString& name) override;

 private:
  void OnConfirm();

  tamvelo::MainWindowOps* m_pMainWnd = nullptr;
  LPCSTR m_pszConfigPath = nullptr;
  DuiLib::CControlUI* m_pYesBtn = nullptr;         // "yesbtn"
  DuiLib::CControlUI* m_pNoBtn = nullptr;          // "nobtn"
  DuiLib::COptionUI* m_pExitOption = nullptr;      // "ExitDirectbtn"
  DuiLib::COptionUI* m_pTrayOption = nullptr;      // "MoveInTraybtn"
  DuiLib::CCheckBoxUI* m_pRemember = nullptr;      // "chkOption"
};
