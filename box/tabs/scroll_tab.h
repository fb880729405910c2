// The strip of game tabs in the main window's title bar: one
// CScrollOptionUI (tab button + close button) per open game tab, laid side by
// side with a width that shrinks as tabs are added; it opens and closes the
// tab processes behind them.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "box/shared/main_window_ops.h"
#include "box/tabs/address_list.h"
#include "box/tabs/tab_process.h"
#include "box/tabs/tab_watch.h"
#include "duilib/UIlib.h"

class CScrollOptionUI;

// One open game tab: its button and the tab process behind it, whose
// handles the record owns.
struct TabRecord : tamvelo::tabs::TabProcess {
  TabRecord() = default;
  ~TabRecord() { CloseHandles(); }
  TabRecord(const TabRecord&) = delete;
  TabRecord& operator=(const TabRecord&) = delete;

  CScrollOptionUI* button = nullptr;
  std::string address;  // the game address the process was given
  tamvelo::tabs::TabEndWatch endWatch;  // marks the button when the process ends
  bool ended = false;
  bool hung = false;
  // The button's own text and tooltip while a mark shows instead.
  std::string plainText;
  std::string plainToolTip;

  // Ends the watch and closes both handles.
  void CloseHandles();
  // Takes over a freshly started process after letting go of the one before.
  void Adopt(const tamvelo::tabs::TabProcess& process);
};

// The strip's records, in strip order; the strip owns them.
using TabRecordList = std::vector<std::unique_ptr<TabRecord>>;

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

  // Opening, selecting and closing tabs.
  CScrollOptionUI* OpenGameTab(LPCSTR title, bool relayout, LPCSTR address);
  void CloseTab(int index);
  int CloseTabOf(CScrollOptionUI* button);
  // The tab whose process ended shows it on its button; once per tab. When
  // it is the shown tab, the body shows the page that offers to reopen it.
  void MarkTabEnded(DWORD processId);
  // A fresh process for a tab whose process ended, given the same address
  // and the portal's cookies as a new tab; the button shows the game's own
  // text again. False, with the tab left as it was, when the start fails.
  bool ReopenTab(int index);
  // From now on no tab process starts: opening and reopening fail as a
  // failed start does. Quitting sets it for good.
  void RefuseNewTabs() { m_bRefusingNewTabs = true; }
  // Tabs whose window stopped answering for 5 s show it on their button,
  // until they answer again; checked every second once a tab opened.
  void CheckHungTabs();
  void DoEvent(DuiLib::TEventUI& event) override;
  int FindTab(CScrollOptionUI* button) const;
  void SelectTab(CScrollOptionUI* button);
  void LayoutTabs();

  // The open tabs, in strip order, and the current one (-1: none).
  const TabRecordList& GetTabRecords() const { return m_tabs; }
  int GetCurrentTabIndex() const { return m_nCurrentTab; }
  void SetCurrentTabIndex(int index) { m_nCurrentTab = index; }
  int GetCurrentTabWidth() const { return m_nCurTabWidth; }

  int GetTabWidth() const { return m_nTabWidth; }
  int GetMinTabWidth() const { return m_nMinTabWidth; }
  DWORD GetTabSelColor() const { return m_dwTabSelColor; }
  DWORD GetTabNorColor() const { return m_dwTabNorColor; }

 private:
  void WatchTabHealth();
  // Starts the record's tab process, finds its windows, watches it and sends
  // it its address with the portal's cookies. The record's old handles, if
  // any, are closed. A record not in the list yet comes as joining too: it
  // joins the list once its process started, else it goes.
  bool LaunchTab(TabRecord& record, std::unique_ptr<TabRecord> joining = nullptr);
  // The button's own text and tooltip again, without the stopped or hung mark.
  void ClearMarks(TabRecord& record);

  int m_nCurrentTab = -1;
  bool m_bRefusingNewTabs = false;
  TabRecordList m_tabs;
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
