// The main window's own behaviour: creation from the skin, wiring of the
// strip and the home browser, start-up work, clicks and page selection.
#include "box/mainwnd/main_wnd.h"

#include <process.h>

#include <string>

#include "box/net/update_check.h"
#include "box/shared/process_values.h"
#include "box/shared/startup_marks.h"
#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_process.h"
#include "box/tabs/tab_text.h"
#include "box/tabs/tab_window_async.h"
#include "box/web/tabbrowser.h"
#include "box/windows/hung_page.h"
#include "common/data_folder.h"
#include "common/portal_address.h"
#include "common/protocol.h"

using DuiLib::CControlUI;
using DuiLib::CDuiString;
using DuiLib::TNotifyUI;

namespace {

constexpr float kProgramVersion = 1.0f;
constexpr char kStoppedPage[] = "page_stopped";
constexpr char kStoppedLine[] = "stopped_line";
constexpr char kStartingPage[] = "page_starting";

void CopyPath(char* buffer, const std::string& path) { lstrcpynA(buffer, path.c_str(), MAX_PATH); }

}  // namespace

DUI_BEGIN_MESSAGE_MAP(CMainWnd, WindowImplBase)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMCLICK, OnItemClick)
DUI_END_MESSAGE_MAP()

CMainWnd::CMainWnd() = default;

// The menus and small windows live until the process ends; the control
// tree belongs to the paint manager.
CMainWnd::~CMainWnd() = default;

LPCSTR CMainWnd::GetWindowClassName() const { return tamvelo::protocol::kMainWindowClass; }

CDuiString CMainWnd::GetSkinFile() { return "xml//main.xml"; }

CDuiString CMainWnd::GetSkinFolder() { return CDuiString(); }

CControlUI* CMainWnd::CreateControl(LPCSTR pstrClass) {
  if (pstrClass == nullptr) return nullptr;
  if (_stricmp(pstrClass, "ScrollTab") == 0) {
    m_pTabBar = new CScrollTabUI;
    m_pTabBar->SetOwner(this);
    return m_pTabBar;
  }
  if (_stricmp(pstrClass, "Tabbrowser") == 0) {
    // "tab_bar" comes first in the skin, so the strip exists by now.
    m_pHomeBrowser = new CTabbrowserUI;
    m_pHomeBrowser->m_pTabBar = m_pTabBar;
    m_pHomeBrowser->m_pMainWnd = this;
    m_pHomeBrowser->m_pOfflineHost = &m_offlinePage;
    m_pHomeBrowser->Navigate2(tamvelo::PortalAddress(tamvelo::kHomePagePath).c_str());
    return m_pHomeBrowser;
  }
  return nullptr;
}

void CMainWnd::InitWindow() {
  tamvelo::app::NoteStartup(tamvelo::app::StartupMark::MainWindowBuilt);
  tamvelo::app::ProcessValues& process = tamvelo::app::MainProgramValues();
  process.programVersion = kProgramVersion;
  process.mainWindow = m_hWnd;

  lstrcpynA(m_szDataFolder, DuiLib::CPaintManagerUI::GetResourcePath(), MAX_PATH);
  CopyPath(m_szConfigPath, tamvelo::DataFile(m_szDataFolder, tamvelo::kConfigIniName));
  CopyPath(process.paramIniPath, tamvelo::DataFile(m_szDataFolder, tamvelo::kParamIniName));
  CopyPath(process.versionIniPath, tamvelo::DataFile(m_szDataFolder, tamvelo::kVersionIniName));

  m_pCloseBtn = m_pm.FindControl("closebtn");
  m_pMaxBtn = m_pm.FindControl("maxbtn");
  m_pRestoreBtn = m_pm.FindControl("restorebtn");
  m_pMinBtn = m_pm.FindControl("minbtn");
  m_pHomeBtn = m_pm.FindControl("gamehome");
  m_pSearchBtn = m_pm.FindControl("gamesearch");
  m_pPaymentBtn = m_pm.FindControl("payment");
  m_pLoginBtn = m_pm.FindControl("login_btn");
  m_pDownSelBtn = m_pm.FindControl("down_sel");
  m_pServiceBtn = m_pm.FindControl("service");
  m_pFullscreenBtn = m_pm.FindControl("fullscreen");
  m_pHomeTab = static_cast<DuiLib::COptionUI*>(m_pm.FindControl("maintab"));
  m_pBackground = m_pm.FindControl("main_bg");
  m_pTabBar = static_cast<CScrollTabUI*>(m_pm.FindControl("tab_bar"));
  m_pHomeBrowser = static_cast<CTabbrowserUI*>(m_pm.FindControl("main_web_home"));
  m_pPageLayout = static_cast<DuiLib::CTabLayoutUI*>(m_pm.FindControl("body_main_tablayout"));

  if (m_pTabBar) {
    m_pTabBar->SetBodyLayout(m_pPageLayout);
    m_pTabBar->SetParamIniPath(process.paramIniPath);
    m_pTabBar->LoadLinktopay();
    m_pTabBar->LoadOtherurl();
  }
  if (m_pHomeBrowser && m_pHomeBrowser->m_pClientCall) m_pHomeBrowser->m_pClientCall->SetConfigPath(m_szConfigPath);
  m_offlinePage.Attach(m_pm, m_pHomeBrowser, m_pHomeTab);

  const int skin = ReadSkinIndex();
  SetSkinName(skin);
  ApplySkin(skin);

  m_bHidden = false;
  m_bFullScreen = false;
  m_bFullScreenAvailable = false;
}

void CMainWnd::Notify(TNotifyUI& msg) {
  if (msg.sType == DUI_MSGTYPE_WINDOWINIT) {
    tamvelo::app::NoteStartup(tamvelo::app::StartupMark::WindowInit);
    // "windowinit" comes inside the first paint, before anything is drawn;
    // a posted message is taken only once that paint is over.
    PostMessage(kMsgFirstPaintDone);
  }
  WindowImplBase::Notify(msg);
}

void CMainWnd::LoadHomePage() {
  if (m_pHomeBrowser == nullptr) return;
  m_pHomeBrowser->Navigate2("about:blank");
  m_pHomeBrowser->Navigate2(tamvelo::PortalAddress(tamvelo::kHomePagePath).c_str());
}

// The window is on the screen: the home page comes next, then its icon in
// the notification area. Nothing else here shows before the user acts: the
// menus and small windows are created hidden, the full-screen button is
// hidden until a game shows.
void CMainWnd::OnFirstPaintDone() {
  LoadHomePage();
  AddTrayIcon();
  CreateMenus();
  CreateSmallWindows();  // registers the hotkeys
  UpdateFullscreenCaption();
  StartBackgroundWork();
}

void CMainWnd::StartBackgroundWork() {
  // A tab process that only waits for this window to go keeps the tab
  // program's files warm for the first game.
  tamvelo::tabs::StartWaitingTabProcess();
  tamvelo::app::NoteStartup(tamvelo::app::StartupMark::WaitingTabStarted);
  const uintptr_t thread = _beginthreadex(nullptr, 0, tamvelo::net::UpdateCheckThread, m_hWnd, 0, nullptr);
  if (thread != 0) CloseHandle(reinterpret_cast<HANDLE>(thread));
  tamvelo::app::NoteStartup(tamvelo::app::StartupMark::UpdateThreadStarted);
}

void CMainWnd::OnClick(TNotifyUI& msg) {
  CControlUI* sender = msg.pSender;
  if (sender == nullptr) return;
  CDuiString name = sender->GetName();
  name.MakeLower();

  if (sender == m_pCloseBtn) {
    OnCloseButton();
  } else if (sender == m_pMinBtn) {
    SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (sender == m_pMaxBtn) {
    SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  } else if (sender == m_pRestoreBtn) {
    SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  } else if (sender == m_pHomeBtn) {
    ShowPortalPage(tamvelo::PortalAddress(tamvelo::kBoxPagePath).c_str());
  } else if (sender == m_pSearchBtn) {
    ShowPortalPage(tamvelo::PortalAddress(tamvelo::kGamePagePath).c_str());
  } else if (sender == m_pPaymentBtn) {
    const std::string page = tamvelo::PortalAddress(tamvelo::kPaymentPagePath);
    if (m_pTabBar) m_pTabBar->OpenGameTab(page.c_str(), true, page.c_str());
  } else if (sender == m_pServiceBtn) {
    const std::string page = tamvelo::PortalAddress(tamvelo::kServicePagePath);
    if (m_pTabBar) m_pTabBar->OpenGameTab(page.c_str(), true, page.c_str());
  } else if (sender == m_pFullscreenBtn) {
    EnterFullScreen();
  } else if (name == "quitbtn") {
    PostQuitMessage(0);
  } else if (name == "toolbar_main_xiaohao") {
    ShowAltAccountWindow();
  } else if (name == "gamehome" || name == "gamesearch" || name == "gamephone") {
    ShowBodyPage(sender->GetUserData(), name != "gamephone");
  } else if (name == "menubtn") {
    ShowMainMenu(msg.ptMouse);
  } else if (name == "down_sel") {
    ShowAccountMenu(msg.ptMouse);
  } else if (name == "show_menu_btn") {
    RestoreMainWindow();
  } else if (name == "quit_menu_btn") {
    QuitApplication();
  } else if (name == "skinbtn") {
    ShowSkinWindow();
  } else if (name == "reopen_btn") {
    if (m_pTabBar) m_pTabBar->ReopenTab(m_pTabBar->GetCurrentTabIndex());
  }
}

// The home and search buttons load their page into the home browser and
// make sure that page is in view: from the mobile-games page the click
// would otherwise change nothing visible.
void CMainWnd::ShowPortalPage(LPCSTR address) {
  if (m_pHomeBrowser) m_pHomeBrowser->Navigate2(address);
  if (m_pPageLayout && m_pPageLayout->GetCurSel() != 0) {
    m_pPageLayout->SelectItem(0);
    if (CControlUI* left = m_pm.FindControl("body_main_left")) left->SetVisible(true);
  }
}

void CMainWnd::ShowBodyPage(LPCSTR pageName, bool showLeftRail) {
  if (CControlUI* left = m_pm.FindControl("body_main_left")) left->SetVisible(showLeftRail);
  CControlUI* page = m_pm.FindControl(pageName);
  if (m_pPageLayout && page) m_pPageLayout->SelectItem(page);
}

// The box's own pages take the place of a game window, which spans the
// whole width: the left column goes while one shows, and comes back with
// the portal page.
void CMainWnd::SelectOwnPage(LPCSTR pageName) {
  if (m_pPageLayout == nullptr) return;
  const auto indexOf = [this](LPCSTR name) { return m_pPageLayout->GetItemIndex(m_pm.FindControl(name)); };
  const int shown = m_pPageLayout->GetCurSel();
  const bool ownPageShown = shown == indexOf(kStoppedPage) || shown == indexOf(kStartingPage);
  // Without a page of its own, the portal's pages stay as the user had them.
  if (pageName == nullptr && !ownPageShown) return;
  const int wanted = pageName != nullptr ? indexOf(pageName) : 0;
  if (wanted < 0 || wanted == shown) return;
  if (CControlUI* left = m_pm.FindControl("body_main_left")) left->SetVisible(pageName == nullptr);
  m_pPageLayout->SelectItem(wanted);
}

void CMainWnd::ShowTabView(tamvelo::TabView view, LPCSTR stoppedLine) {
  using tamvelo::TabView;
  if (view == TabView::Stopped && stoppedLine != nullptr) {
    if (CControlUI* line = m_pm.FindControl(kStoppedLine)) line->SetText(stoppedLine);
  }
  SelectOwnPage(view == TabView::Stopped ? kStoppedPage : view == TabView::Starting ? kStartingPage : nullptr);
  if (m_pHungPage == nullptr) return;
  if (view == TabView::Hung) {
    if (!m_pHungPage->IsShown()) m_pHungPage->ShowOver(TabWindowPlace());
  } else if (m_pHungPage->IsShown()) {
    m_pHungPage->Hide();
  }
}

void CMainWnd::OnSelectChanged(TNotifyUI& msg) {
  if (msg.pSender == nullptr || msg.pSender->GetName() != "maintab") return;
  ShowTabView(tamvelo::TabView::Game, nullptr);
  if (m_pPageLayout) m_pPageLayout->SelectItem(0);
  if (m_pTabBar == nullptr) return;
  const int current = m_pTabBar->GetCurrentTabIndex();
  if (current < 0) return;
  const auto& tabs = m_pTabBar->GetTabRecords();
  if (current < static_cast<int>(tabs.size())) tamvelo::tabs::ShowTabWindow(tabs[current]->tabWindow, false);
  m_pTabBar->SetCurrentTabIndex(-1);
  SetFullScreenAvailable(false);
}

void CMainWnd::OnItemClick(TNotifyUI&) {}

void CMainWnd::SetLoginButton(LPCSTR text, bool loggedIn) {
  if (m_pDownSelBtn) m_pDownSelBtn->SetVisible(loggedIn);
  if (m_pLoginBtn) m_pLoginBtn->SetText(text);
}

void CMainWnd::SelectHomeTab() {
  if (m_pHomeTab) m_pHomeTab->Selected(true);
}

std::string CMainWnd::ShortenTabTitle(const wchar_t* title) {
  return tamvelo::tabs::ShortenTabTitle(title ? title : L"");
}
