// The menus and small windows: created once after the first paint, hidden,
// owned by the main window for the program's life, and shown on demand.
#include "box/mainwnd/main_wnd.h"
#include "box/shared/process_values.h"
#include "box/windows/about_wnd.h"
#include "box/windows/close_hint_dialog.h"
#include "box/windows/down_sel_menu.h"
#include "box/windows/fullscreen_button.h"
#include "box/windows/hung_page.h"
#include "box/windows/main_menu.h"
#include "box/windows/message_wnd.h"
#include "box/windows/setting_wnd.h"
#include "box/windows/skin_wnd.h"
#include "box/windows/tray_menu.h"

namespace {

// Menus and the floating button are pop-up frames without a caption. They
// are created hidden (the visible bit of the frame style left out) so that
// nothing flashes at start-up.
constexpr DWORD kPopupStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = WS_EX_WINDOWEDGE;
constexpr DWORD kSmallWindowStyle = 0x100;
constexpr int kSmallWindowWidth = 435;
constexpr int kSmallWindowHeight = 419;

template <typename Menu>
Menu* CreateMenu(CMainWnd* mainWnd, LPCSTR title) {
  auto* menu = new Menu();
  menu->Create(mainWnd->GetHWND(), title, kPopupStyle, kExStyle);
  menu->SetMainWnd(mainWnd);
  return menu;
}

// Parent, style and place shared by the small windows; hidden at once.
void CreateSmallWindow(CSmallWnd* window, HWND parent, LPCSTR title, LPCSTR skinName, bool defaultPlace = false) {
  window->SetSkinName(skinName);
  if (defaultPlace) {
    window->Create(parent, title, kSmallWindowStyle, kExStyle);
  } else {
    window->Create(parent, title, kSmallWindowStyle, kExStyle, 0, 0, kSmallWindowWidth, kSmallWindowHeight);
  }
  window->ShowWindow(false);
}

}  // namespace

void CMainWnd::CreateMenus() {
  m_pMainMenu = CreateMenu<CDuiMenu>(this, "MenuWnd");
  m_pTrayMenu = CreateMenu<CTrayMenu>(this, "MenuWnd");
  m_pDownSelMenu = CreateMenu<CDownSelMenu>(this, "DownSelMenu");
}

void CMainWnd::CreateSmallWindows() {
  m_pAltAccountWnd = new CMessageWnd();
  m_pAltAccountWnd->SetTabBar(m_pTabBar);
  CreateSmallWindow(m_pAltAccountWnd, m_hWnd, "小号多开", m_szSkinName);

  m_pSettingWnd = new CSettingWnd();
  m_pSettingWnd->SetConfigPath(m_szConfigPath);
  CreateSmallWindow(m_pSettingWnd, m_hWnd, "系统设置", m_szSkinName);
  m_pSettingWnd->SetOwnerWindow(m_hWnd);
  m_pSettingWnd->SetFullscreenControl(m_pFullscreenBtn);
  m_pSettingWnd->RegisterHotKeysAtStart();

  m_pCloseHint = new CCloseHintDialog();
  CreateSmallWindow(m_pCloseHint, m_hWnd, "CloseHintDialog", m_szSkinName, true);
  m_pCloseHint->SetMainWnd(this);
  m_pCloseHint->SetConfigPath(m_szConfigPath);

  m_pAboutWnd = new CAboutWnd();
  CreateSmallWindow(m_pAboutWnd, m_hWnd, "关于tamvelo游戏盒子", m_szSkinName);
  m_pAboutWnd->SetVersion(tamvelo::app::MainProgramValues().programVersion);

  m_pFullscreenWnd = new CFullscreenBtn("xml//FullscreenBtn.xml");
  m_pFullscreenWnd->Create(m_hWnd, "MenuWnd", kPopupStyle, kExStyle);
  m_pFullscreenWnd->SetMainWnd(this);
  m_pFullscreenWnd->SetSettingWnd(m_pSettingWnd);
  m_pFullscreenWnd->Place();

  m_pSkinWnd = new CSkinWnd();
  CreateSmallWindow(m_pSkinWnd, m_hWnd, "更换皮肤", m_szSkinName);
  m_pSkinWnd->SetMainWnd(this);

  m_pHungPage = new CHungPageWnd();
  m_pHungPage->SetTabBar(m_pTabBar);
  if (!m_pHungPage->CreateIn(m_hWnd)) m_pHungPage = nullptr;  // its object went with the window
}

void CMainWnd::ShowMainMenu(POINT point) {
  if (m_pMainMenu == nullptr) return;
  m_pMainMenu->ShowAt(m_hWnd, point);
  m_pMainMenu->ShowWindow(true, true);
}

void CMainWnd::ShowAccountMenu(POINT point) {
  if (m_pDownSelMenu == nullptr) return;
  m_pDownSelMenu->ShowAt(m_hWnd, point);
  m_pDownSelMenu->ShowWindow(true, true);
}

void CMainWnd::ShowSkinWindow() {
  if (m_pSkinWnd != nullptr) m_pSkinWnd->Show();
}

void CMainWnd::ShowAboutWindow() {
  if (m_pAboutWnd != nullptr) m_pAboutWnd->Show();
}

void CMainWnd::ShowAltAccountWindow() {
  if (m_pAltAccountWnd != nullptr) m_pAltAccountWnd->Show();
}

void CMainWnd::ShowSettingsWindow() {
  if (m_pSettingWnd != nullptr) m_pSettingWnd->Show();
}
