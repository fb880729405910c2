// The one main window of tamvelo-box: title bar with the login button and
// the tab strip, tool bar, body with the portal's home page or one game tab.
// It creates and owns every other window of the program, routes clicks,
// receives the records of the tab processes and of the update thread, and
// lays the tab windows out.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "box/mainwnd/offline_page.h"
#include "box/prefs/skin_names.h"
#include "box/shared/main_window_ops.h"
#include "duilib/UIlib.h"

// Posted to itself at the first "windowinit"; it arrives once the first
// paint is on the screen.
inline constexpr UINT kMsgFirstPaintDone = WM_APP + 21;

class CScrollTabUI;
class CTabbrowserUI;
class CDuiMenu;
class CTrayMenu;
class CDownSelMenu;
class CMessageWnd;
class CSettingWnd;
class CAboutWnd;
class CCloseHintDialog;
class CFullscreenBtn;
class CSkinWnd;
class CHungPageWnd;

class CMainWnd : public DuiLib::WindowImplBase, public tamvelo::MainWindowOps {
 public:
  CMainWnd();
  ~CMainWnd() override;

  // --- Toolkit slots ----------------------------------------------------------
  LPCSTR GetWindowClassName() const override;  // "MainWnd_Tamvelo_Box"
  DuiLib::CDuiString GetSkinFile() override;   // "xml//main.xml"
  DuiLib::CDuiString GetSkinFolder() override;
  void InitWindow() override;
  void Notify(DuiLib::TNotifyUI& msg) override;
  void OnClick(DuiLib::TNotifyUI& msg) override;
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalMessage(HWND hWnd) override;
  LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
  LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
  LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
  LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled) override;
  DuiLib::CControlUI* CreateControl(LPCSTR pstrClass) override;

  // --- Login state (page title messages) ---------------------------------------
  void SetLoginButton(LPCSTR text, bool loggedIn) override;

  // --- Notification map handlers ------------------------------------------------
  void OnSelectChanged(DuiLib::TNotifyUI& msg);
  void OnItemClick(DuiLib::TNotifyUI& msg);  // does nothing

  // --- Operations the menus, dialogs, tab strip and pages call (MainWindowOps) ---
  void OpenInNewWindow(LPCSTR address) override;
  void ShowAboutWindow() override;
  void ShowAltAccountWindow() override;
  void ShowSettingsWindow() override;
  void SelectHomeTab() override;
  // The body's own page for the selected game tab (starting, stopped with
  // the button that reopens it, hung above the game), or none for a game
  // that shows its window.
  void ShowTabView(tamvelo::TabView view, LPCSTR stoppedLine) override;

  // Tray icon and closing.
  void AddTrayIcon();
  void OnTrayIcon(LPARAM mouseMessage);  // message 1124
  void OnCloseButton();
  void QuitApplication() override;
  // Tells every tab to end, off this thread; when quitting, the message
  // loop ends once they all have.
  void CloseAllTabs();

  // Hiding to the notification area and coming back, with the small windows
  // that were open.
  void HideMainWindow() override;
  void RestoreMainWindow() override;
  void OnHotKey(WPARAM id);  // WM_HOTKEY: hide key or full-screen key

  // Full screen.
  void EnterFullScreen();
  void ExitFullScreen() override;
  void ToggleFullScreen();
  void SetFullScreenAvailable(bool available) override;
  void UpdateFullscreenCaption();
  bool IsFullScreen() const override { return m_bFullScreen; }
  bool IsFullScreenAvailable() const { return m_bFullScreenAvailable; }

  // Skins.
  int ReadSkinIndex();
  void SetSkinName(int index);
  void ApplySkin(int index) override;
  LPCSTR GetSkinName() const override { return m_szSkinName; }

  // Button text of a tab from the page title its process reports.
  static std::string ShortenTabTitle(const wchar_t* title);

  // --- Accessors for the windows the main window owns -----------------------------
  CScrollTabUI* GetTabBar() const { return m_pTabBar; }
  CTabbrowserUI* GetHomeBrowser() const override { return m_pHomeBrowser; }
  CHungPageWnd* GetHungPage() const { return m_pHungPage; }
  LPCSTR GetConfigPath() const { return m_szConfigPath; }
  bool IsHidden() const { return m_bHidden; }

  DUI_DECLARE_MESSAGE_MAP()

 private:
  // Start-up and messages of the window itself.
  void OnCopyData(const COPYDATASTRUCT* record);
  // Where the shown tab's window sits, in client coordinates: below the
  // tool bar, or over the whole screen in full screen.
  RECT TabWindowPlace() const;
  void LayoutTabWindows(int width, int height);
  void KeepTabWindowsOutOfRedraw(UINT message, WINDOWPOS* pos);
  // The body's own pages by name; the left rail goes with them.
  void SelectOwnPage(LPCSTR pageName);
  // Once the first paint is on the screen (kMsgFirstPaintDone): the home
  // page, the tray icon, the menus, the small windows and the hotkeys, then
  // the background work.
  void LoadHomePage();
  void OnFirstPaintDone();
  void StartBackgroundWork();  // the waiting tab process, the update thread
  void ShowPortalPage(LPCSTR address);                 // "gamehome", "gamesearch"
  void ShowBodyPage(LPCSTR pageName, bool showLeftRail);  // body pages by name
  void ShowMaximizeOrRestoreButton();  // "maxbtn" or "restorebtn", after IsZoomed

  // The menus and small windows: created once after the first paint, shown on demand.
  void CreateMenus();
  void CreateSmallWindows();
  void ShowMainMenu(POINT point);     // "menubtn"
  void ShowAccountMenu(POINT point);  // "down_sel"
  void ShowSkinWindow();              // "skinbtn"

  char m_szDataFolder[MAX_PATH] = {};
  char m_szConfigPath[MAX_PATH] = {};
  char m_szSkinName[tamvelo::prefs::kSkinNameChars] = {};

  DuiLib::CTabLayoutUI* m_pPageLayout = nullptr;  // "body_main_tablayout"
  CScrollTabUI* m_pTabBar = nullptr;              // "tab_bar"
  DuiLib::COptionUI* m_pHomeTab = nullptr;        // "maintab"
  DuiLib::CControlUI* m_pLoginBtn = nullptr;      // "login_btn"
  DuiLib::CControlUI* m_pDownSelBtn = nullptr;    // "down_sel"
  bool m_bHidden = false;
  DuiLib::CControlUI* m_pCloseBtn = nullptr;
  DuiLib::CControlUI* m_pMaxBtn = nullptr;
  DuiLib::CControlUI* m_pRestoreBtn = nullptr;
  DuiLib::CControlUI* m_pMinBtn = nullptr;
  DuiLib::CControlUI* m_pHomeBtn = nullptr;       // "gamehome"
  DuiLib::CControlUI* m_pSearchBtn = nullptr;     // "gamesearch"
  DuiLib::CControlUI* m_pPaymentBtn = nullptr;    // "payment"
  DuiLib::CControlUI* m_pServiceBtn = nullptr;    // "service"
  DuiLib::CControlUI* m_pFullscreenBtn = nullptr; // "fullscreen"
  CTabbrowserUI* m_pHomeBrowser = nullptr;        // "main_web_home"
  DuiLib::CControlUI* m_pBackground = nullptr;    // "main_bg"
  NOTIFYICONDATAA m_trayIcon = {};
  CDuiMenu* m_pMainMenu = nullptr;
  CTrayMenu* m_pTrayMenu = nullptr;
  CMessageWnd* m_pAltAccountWnd = nullptr;
  CSettingWnd* m_pSettingWnd = nullptr;
  CAboutWnd* m_pAboutWnd = nullptr;
  CCloseHintDialog* m_pCloseHint = nullptr;
  CDownSelMenu* m_pDownSelMenu = nullptr;
  CFullscreenBtn* m_pFullscreenWnd = nullptr;
  CSkinWnd* m_pSkinWnd = nullptr;
  CHungPageWnd* m_pHungPage = nullptr;
  RECT m_rcSavedWindow = {};
  RECT m_rcSavedTab = {};
  bool m_bFullScreen = false;
  bool m_bFullScreenAvailable = false;
  // Quitting: the window is hidden and the tabs are ending; the loop ends
  // when the strip says they all have.
  bool m_bQuitting = false;
  tamvelo::mainwnd::OfflinePage m_offlinePage;  // "page_offline", for the home browser
};
