// The floating button at the top of the screen in full-screen mode: one
// click leaves full screen. It is nearly transparent except during its
// first five seconds and while the mouse is over it.
#pragma once

#include "box/shared/main_window_ops.h"
#include "duilib/UIlib.h"

class CSettingWnd;

class CFullscreenBtn : public DuiLib::WindowImplBase {
 public:
  static constexpr BYTE kVisibleAlpha = 200;
  static constexpr BYTE kFadedAlpha = 1;
  static constexpr UINT_PTR kFadeTimerId = 0;
  static constexpr UINT kFadeDelayMs = 5000;

  explicit CFullscreenBtn(LPCSTR layoutFile) : m_sLayoutFile(layoutFile) {}

  LPCSTR GetWindowClassName() const override { return "CFullscreenBtn "; }
  DuiLib::CDuiString GetSkinFile() override { return m_sLayoutFile; }
  void InitWindow() override;
  void Notify(DuiLib::TNotifyUI& msg) override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;

  void SetMainWnd(tamvelo::MainWindowOps* mainWnd) { m_pMainWnd = mainWnd; }
  void SetSettingWnd(CSettingWnd* settingWnd) { m_pSettingWnd = settingWnd; }

  // After Create: 300 pixels left of the screen's centre at the top, hidden,
  // caption built, and registered with the settings window for refreshes.
  void Place();
  // "退出全屏(<full-screen key>)".
  void UpdateCaption();
  // Full screen entered: shown clearly, fading after five seconds.
  void ShowFading();

 private:
  void SetAlpha(BYTE alpha) { m_pm.SetOpacity(alpha); }

  tamvelo::MainWindowOps* m_pMainWnd = nullptr;
  TRACKMOUSEEVENT m_track = {};
  CSettingWnd* m_pSettingWnd = nullptr;
  DuiLib::CControlUI* m_pButton = nullptr;  // "fullscreen"
  DuiLib::CDuiString m_sLayoutFile;
};
