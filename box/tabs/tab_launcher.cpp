// Opening and closing game tabs, and the param.ini lists that send some
// addresses to the portal's own pages.
#include <memory>
#include <string>

#include "box/tabs/scroll_tab.h"
#include "box/tabs/tab_ending.h"
#include "box/tabs/tab_text.h"
#include "common/portal_address.h"

namespace tabs = tamvelo::tabs;

namespace {

constexpr char kDefaultSkinFolder[] = "Default";

}  // namespace

void TabRecord::CloseHandles() {
  endWatch.Stop();
  Close();
}

void TabRecord::Adopt(const tabs::TabProcess& process) {
  CloseHandles();
  static_cast<tabs::TabProcess&>(*this) = process;
}

void CScrollTabUI::LoadLinktopay() {
  if (m_pParamIniPath) m_linktopay.Load(m_pParamIniPath, "Linktopay");
}

void CScrollTabUI::LoadOtherurl() {
  if (m_pParamIniPath) m_otherurl.Load(m_pParamIniPath, "Otherurl");
}

bool CScrollTabUI::IsLinktopayUrl(LPCSTR address) const {
  return address != nullptr && m_linktopay.Matches(address);
}

bool CScrollTabUI::IsOtherUrl(LPCSTR address) const {
  return address != nullptr && m_otherurl.Matches(address);
}

std::string CScrollTabUI::ChooseTabAddress(LPCSTR address) const {
  if (address == nullptr) return std::string();
  if (IsLinktopayUrl(address)) return tamvelo::PortalAddress(tamvelo::kLinktopayPath);
  if (IsOtherUrl(address)) return tamvelo::PortalAddress(tamvelo::kBoxPagePath);
  return address;
}

CScrollOptionUI* CScrollTabUI::OpenGameTab(LPCSTR title, bool relayout, LPCSTR address) {
  if (address == nullptr) return nullptr;
  if (title == nullptr) title = address;

  auto* button = new CScrollOptionUI;
  button->ApplyAttributeList("float=\"true\" width=\"200\" height=\"32\" ");
  button->SetOwnerStrip(this);
  const char* skin = m_pOwner ? m_pOwner->GetSkinName() : nullptr;
  button->SetSkinFolder(skin && *skin ? skin : kDefaultSkinFolder);
  if (!Add(button)) {
    delete button;
    return nullptr;
  }

  auto record = std::make_unique<TabRecord>();
  record->button = button;
  record->address = ChooseTabAddress(address);
  TabRecord& joining = *record;
  if (!LaunchTab(joining, std::move(record))) {
    Remove(button);
    return nullptr;
  }
  // Records handled during the send may have closed the tab already.
  if (FindTab(button) < 0) return nullptr;

  if (relayout) LayoutTabs();
  const std::string text = tabs::CutButtonText(title);
  button->GetTabButton()->SetText(text.c_str());
  button->GetTabButton()->SetToolTip(text.c_str());
  SelectTab(button);
  return button;
}

bool CScrollTabUI::LaunchTab(TabRecord& record, std::unique_ptr<TabRecord> joining) {
  if (m_bRefusingNewTabs) return false;
  const tabs::PortalCookie cookie = tabs::ReadPortalCookie();
  tabs::TabProcess process;
  if (!tabs::StartTabProcess(process)) return false;
  HWND mainWindow = GetManager() ? GetManager()->GetPaintWindow() : nullptr;
  if (mainWindow) tabs::FindTabWindows(mainWindow, process);

  record.Adopt(process);
  ClearMarks(record);
  // In the list before the first record goes out: while this thread waits
  // in the send, a title record from the new tab can already find it.
  if (joining) m_tabs.push_back(std::move(joining));
  if (mainWindow) record.endWatch.Start(record.processHandle, record.processId, mainWindow);
  WatchTabHealth();
  tabs::SendGameRecord(record.hostWindow, cookie, record.address);
  return true;
}

bool CScrollTabUI::ReopenTab(int index) {
  if (index < 0 || index >= static_cast<int>(m_tabs.size()) || !m_tabs[index]->ended) return false;
  TabRecord& record = *m_tabs[index];
  CScrollOptionUI* const owner = record.button;
  if (!LaunchTab(record)) return false;
  // Records handled during the send may have closed or moved the tab.
  const int now = FindTab(owner);
  if (now >= 0 && now == m_nCurrentTab) SelectTab(owner);
  return true;
}

void CScrollTabUI::CloseTab(int index) {
  if (index < 0 || index >= static_cast<int>(m_tabs.size())) return;
  std::unique_ptr<TabRecord> record = std::move(m_tabs[index]);
  // Out of the list, and the current index fitted to the shorter list,
  // before anything is sent: while this thread waits, records arriving no
  // longer reach the tab being closed, and a tab opened meanwhile finds a
  // list and an index that agree.
  m_tabs.erase(m_tabs.begin() + index);
  if (index < m_nCurrentTab) {
    --m_nCurrentTab;
  } else if (index == m_nCurrentTab) {
    // The closed tab's window went with its process: nothing to hide.
    m_nCurrentTab = -1;
  }
  Remove(record->button);
  // A tab hung in a page script neither answers nor ends: the send is
  // bounded and the process ended by force, at once when it did not
  // answer, else when it is still alive a few seconds later.
  if (tabs::TellWindowToEnd(record->hostWindow, tabs::kTabAnswerMs)) {
    tabs::EndProcessLater(record->processHandle, tabs::kTabEndGraceMs);
  } else if (record->processHandle != nullptr) {
    TerminateProcess(record->processHandle, tabs::kForcedExitCode);
  }
  record.reset();

  if (m_tabs.empty()) {
    m_nCurrentTab = -1;
    if (m_pOwner) {
      m_pOwner->SelectHomeTab();
      m_pOwner->SetFullScreenAvailable(false);
    }
    return;
  }
  if (m_nCurrentTab < 0) SelectTab(m_tabs.back()->button);
  LayoutTabs();
}

int CScrollTabUI::CloseTabOf(CScrollOptionUI* button) {
  const int index = FindTab(button);
  if (index < 0) return -1;
  CloseTab(index);
  return 0;
}
