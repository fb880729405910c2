// One game tab's button: the selectable option with the title and the
// small close button on its right.
#include <cstdio>
#include <string>

#include "box/tabs/scroll_tab.h"

using DuiLib::CContainerUI;
using DuiLib::TNotifyUI;

namespace {

constexpr int kCloseSize = 12;
constexpr int kCloseRightInset = 16;
constexpr int kCloseTopInset = 8;

// The four state images of a tab button: cells of 43 x 32 pixels in the
// skin's main_wnd_tab_item.png, stretched between 20-pixel corners.
std::string StateImage(const char* state, const std::string& folder, const char* source) {
  return std::string(state) + "=\"file='skin/" + folder + "/main_wnd_tab_item.png' source='" + source +
         "' corner='20,0,20,0'\" ";
}

std::string TabImageAttributes(const std::string& folder) {
  return StateImage("normalimage", folder, "0,0,43,32") + StateImage("hotimage", folder, "43,0,86,32") +
         StateImage("pushedimage", folder, "86,0,129,32") + StateImage("selectedimage", folder, "86,0,129,32");
}

bool IsClick(void* param) {
  const auto* msg = static_cast<const TNotifyUI*>(param);
  return msg != nullptr && msg->sType == DUI_MSGTYPE_CLICK;
}

}  // namespace

CScrollOptionUI::CScrollOptionUI() : m_pTabButton(new DuiLib::COptionUI), m_pCloseButton(new DuiLib::CButtonUI) {}

// Once added, the children belong to the container, which destroys them.
CScrollOptionUI::~CScrollOptionUI() {
  if (!m_bChildrenAdded) {
    delete m_pTabButton;
    delete m_pCloseButton;
  }
}

void CScrollOptionUI::Init() {
  CContainerUI::Init();
  if (m_bChildrenAdded) return;
  m_bChildrenAdded = true;

  // The width goes in through a number, never through the skin folder's
  // text, so a folder name cannot act as a format.
  char head[200];
  std::snprintf(head, sizeof head,
                "float=\"true\" name=\"game1\" group=\"main_tabbar\" width=\"%d\" height=\"32\" "
                "padding=\"20, 0, 0, 0\" textpadding=\"0, 0, 0, 0\" ",
                static_cast<int>(m_cxyFixed.cx));
  m_pTabButton->ApplyAttributeList((head + TabImageAttributes(m_sSkinFolder.GetData())).c_str());
  Add(m_pTabButton);
  m_pTabButton->OnNotify += DuiLib::MakeDelegate(this, &CScrollOptionUI::OnButtonNotify);

  // The close images always come from the "Default" skin.
  char close[400];
  std::snprintf(close, sizeof close,
                "float=\"true\" pos=\"%d,%d,%d,%d\" padding=\"0,0,0,0\" "
                "normalimage=\"file='skin/Default/tab_btn_close_normal.png' source='0,0,12,12' "
                "corner='0,0,0,0'\" hotimage=\"skin/Default/tab_btn_close_hot.png\" "
                "pushedimage=\"skin/Default/close_push.png\"",
                static_cast<int>(m_cxyFixed.cx) - kCloseSize, 1, 32, 13);
  m_pCloseButton->ApplyAttributeList(close);
  Add(m_pCloseButton);
  m_pCloseButton->OnNotify += DuiLib::MakeDelegate(this, &CScrollOptionUI::OnCloseNotify);
}

void CScrollOptionUI::SetPos(RECT rc, bool bNeedInvalidate) {
  CContainerUI::SetPos(rc, bNeedInvalidate);
  m_pTabButton->SetPos(rc, bNeedInvalidate);
  const RECT close = {rc.right - Scale(kCloseRightInset + kCloseSize), rc.top + Scale(kCloseTopInset),
                      rc.right - Scale(kCloseRightInset), rc.top + Scale(kCloseTopInset + kCloseSize)};
  m_pCloseButton->SetPos(close, bNeedInvalidate);
}

void CScrollOptionUI::DoEvent(DuiLib::TEventUI& event) {
  if (event.Type == DuiLib::UIEVENT_BUTTONDOWN && m_pOwnerStrip) m_pOwnerStrip->SelectTab(this);
  CContainerUI::DoEvent(event);
}

bool CScrollOptionUI::OnButtonNotify(void* param) {
  if (IsClick(param) && m_pOwnerStrip) m_pOwnerStrip->SelectTab(this);
  return true;
}

bool CScrollOptionUI::OnCloseNotify(void* param) {
  if (IsClick(param) && m_pOwnerStrip) m_pOwnerStrip->CloseTabOf(this);
  return true;
}
