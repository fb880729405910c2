// The strip of game tabs in the main window's title bar: one
// CScrollOptionUI (tab button + close button) per open game tab, laid side by
// side with a width that shrinks as tabs are added; it opens and closes the
// tab processes behind them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "box/shared/main_window_ops.h"
#include "box/tabs/address_list.h"
#include "box/tabs/tab_life.h"
#include "box/tabs/tab_process.h"
#include "box/tabs/tab_watch.h"
#include "box/tabs/tab_watcher.h"
#include "duilib/UIlib.h"

class CScrollOptionUI;

// One open game tab: its button and the tab process behind it, whose
// handles the record owns. Only the user-interface thread touches it.
struct TabRecord : tamvelo::tabs::TabProcess {
  TabRecord() = default;
  ~TabRecord() { CloseHandles(); }
  TabRecord(const TabRecord&) = delete;
  TabRecord& operator=(const TabRecord&) = delete;

  CScrollOptionUI* button = nullptr;
  std::string address;  // the game address the process was given
  tamvelo::tabs::TabEndWatch endWatch;  // tells the main window when the process ends
  tamvelo::tabs::TabLife life;
  // The button's own text and tooltip: the game's text, later the page
  // title. Marks and the starting text show instead of them for a while.
  std::string plainText;
  std::string plainToolTip;

  bool ended() const { return life.stage() == tamvelo::tabs::TabStage::Stopped; }
  bool hung() const { return life.hung(); }
  // Ends the watch and closes both handles.
  void CloseHandles();
  // Takes over a freshly started process after letting go of the one before.
  void Adopt(const tamvelo::tabs::TabProcess& process);
};

// The strip's records, in strip order; the strip owns them.
using TabRecordList = std::vector<std::unique_ptr<TabRecord>>;

// Nothing here waits on a tab: starting, the first record and ending run
// on the watcher's threads, and the tab windows are shown, hidden and
// placed with calls that return at once.
class CScrollTabUI : public DuiLib::CContainerUI {
 public:
  CScrollTabUI();
  ~CScrollTabUI() override;

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void Init() override;
  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;

  // Wiring by the main window.
  void SetOwner(tamvelo::MainWindowOps* owner) { m_pOwner = owner; }
  void SetBodyLayout(DuiLib::CControlUI* body) { m_pBody = body; }
  void SetParamIniPath(LPCSTR path) { m_pParamIniPath = path; }

  // Address lists of param.ini.
  void LoadLinktopay();
  void LoadOtherurl();
  bool IsLinktopayUrl(LPCSTR address) const;
  bool IsOtherUrl(LPCSTR address) const;
  // The address a new tab opens: [Linktopay] matches go to the portal's
  // "/box/linktopay", else [Otherurl] matches to "/box", else unchanged.
  std::string ChooseTabAddress(LPCSTR address) const;

  // Adds the tab's button, selected and showing that the game opens, and
  // starts its process; returns at once. The game's window shows when it
  // has joined the main window. A program that cannot start leaves the tab
  // stopped. None without an address, while quitting, or when the strip
  // refuses the button.
  CScrollOptionUI* OpenGameTab(LPCSTR title, bool relayout, LPCSTR address);
  void CloseTab(int index);
  int CloseTabOf(CScrollOptionUI* button);
  // The watcher's news of a start (kMsgTabStartDone): the windows join the
  // record, or the tab stops. News of a start that is no longer the tab's
  // changes nothing.
  void OnTabStartDone(std::uint32_t launchId);
  // The tab whose process ended shows it on its button; once per process.
  // When it is the shown tab, the body shows the page that offers to reopen
  // it.
  void MarkTabEnded(DWORD processId);
  // A fresh process for a stopped tab, given the same address and the
  // portal's cookies as a new tab. False when the tab is not stopped, or
  // while quitting.
  bool ReopenTab(int index);
  // Quitting: no tab process starts any more, and every tab is told to end
  // off this thread; the main window hears kMsgTabsEnded when all are gone.
  void EndAllTabs();
  // Tabs whose window stopped answering for 5 s show it on their button,
  // until they answer again; the selected one gets the hung page after
  // 15 s. Checked every second once a tab opened.
  void CheckHungTabs();
  // The hung page's two buttons, for the selected tab: "等待" hides the page
  // and counts the 15 s again; "关闭游戏" ends the process, and the tab
  // stays, stopped.
  void WaitForHungTab();
  void CloseHungTab();
  // A page title from the tab whose host window sent it: shortened on the
  // button, whole in the tooltip. False when no tab has that host window.
  bool SetTabTitle(HWND hostWindow, const std::string& text, const std::string& toolTip);

  void DoEvent(DuiLib::TEventUI& event) override;
  int FindTab(CScrollOptionUI* button) const;
  void SelectTab(CScrollOptionUI* button);
  void LayoutTabs();

  // The open tabs, in strip order, and the current one (-1: none).
  const TabRecordList& GetTabRecords() const { return m_tabs; }
  int GetCurrentTabIndex() const { return m_nCurrentTab; }
  void SetCurrentTabIndex(int index) { m_nCurrentTab = index; }
  // Widths in logical pixels (at 96 DPI), as the skin gives them.
  int GetCurrentTabWidth() const { return m_nCurTabWidth; }
  // The jobs that wait on tabs; tests shorten its bounds and wait for it.
  tamvelo::tabs::TabWatcher& Watcher() { return m_watcher; }
  // How long a selected game is silent before the hung page shows.
  void SetHungPageDelay(std::uint64_t silentMs) { m_hungPageMs = silentMs; }

  int GetTabWidth() const { return m_nTabWidth; }
  int GetMinTabWidth() const { return m_nMinTabWidth; }
  DWORD GetTabSelColor() const { return m_dwTabSelColor; }
  DWORD GetTabNorColor() const { return m_dwTabNorColor; }

 private:
  void WatchTabHealth();
  HWND MainWindow() const;
  // Starts the record's tab process and hands it to the watcher; the
  // record's old handles, if any, are closed. The tab is starting, or
  // stopped when the program cannot start.
  void LaunchTab(TabRecord& record);
  // The record with this launch id, or none.
  TabRecord* FindLaunch(std::uint32_t launchId) const;
  // The tab's process is told to end off this thread; the record lets go of it.
  void EndTabProcess(TabRecord& record);
  // The button's text and tooltip for the tab's life: starting, plain,
  // hung or stopped.
  void ShowButtonText(TabRecord& record);
  // The body for the selected tab, and whether full screen is offered.
  void ShowCurrentView();
  bool IsCurrent(const TabRecord& record) const;

  int m_nCurrentTab = -1;
  bool m_bRefusingNewTabs = false;
  TabRecordList m_tabs;
  tamvelo::tabs::TabWatcher m_watcher;
  std::uint64_t m_hungPageMs = tamvelo::tabs::TabLife::kSilentBeforePageMs;
  tamvelo::tabs::AddressList m_linktopay;
  tamvelo::tabs::AddressList m_otherurl;
  tamvelo::MainWindowOps* m_pOwner = nullptr;
  DuiLib::CControlUI* m_pBody = nullptr;
  LPCSTR m_pParamIniPath = nullptr;
  int m_nTabWidth = 150;
  int m_nMinTabWidth = 40;
  int m_nCurTabWidth = 0;
  DWORD m_dwTabSelColor = 0xFFFFFFFF;
  DWORD m_dwTabNorColor = 0xFFF0F0F0;
};

// One tab's button: the selectable option showing the title and a small
// close button.
class CScrollOptionUI : public DuiLib::CContainerUI {
 public:
  CScrollOptionUI();
  ~CScrollOptionUI() override;

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void Init() override;
  void DoEvent(DuiLib::TEventUI& event) override;

  void SetOwnerStrip(CScrollTabUI* strip) { m_pOwnerStrip = strip; }
  // The skin folder of the images the button is built with.
  void SetSkinFolder(LPCSTR folder) { m_sSkinFolder = folder; }
  DuiLib::COptionUI* GetTabButton() const { return m_pTabButton; }
  DuiLib::CButtonUI* GetCloseButton() const { return m_pCloseButton; }

  bool OnButtonNotify(void* param);
  bool OnCloseNotify(void* param);

 private:
  DuiLib::COptionUI* m_pTabButton;
  DuiLib::CButtonUI* m_pCloseButton;
  CScrollTabUI* m_pOwnerStrip = nullptr;
  DuiLib::CDuiString m_sSkinFolder;
  bool m_bChildrenAdded = false;
};
