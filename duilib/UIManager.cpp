// The paint manager of one window: tree, names, focus, timers, notifications,
// fonts and skin values. Painting is in UIManagerPaint.cpp, input in
// UIManagerInput.cpp, the process-wide part in UIManagerGlobal.cpp.
#include "duilib/UIManager.h"

#include <string.h>

#include <algorithm>

#include "duilib/UIControl.h"
#include "duilib/UIManagerRegistry.h"

namespace DuiLib {
namespace {

// WM_DPICHANGED_AFTERPARENT, which the headers declare only for Windows 10.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

CControlUI* CALLBACK FindFromName(CControlUI* pThis, LPVOID pData) {
  return strcmp(pThis->GetName(), static_cast<const char*>(pData)) == 0 ? pThis : nullptr;
}

CControlUI* CALLBACK FindFromPoint(CControlUI* pThis, LPVOID pData) {
  return ::PtInRect(&pThis->GetPos(), *static_cast<LPPOINT>(pData)) ? pThis : nullptr;
}

CControlUI* CALLBACK CollectAll(CControlUI* pThis, LPVOID pData) {
  static_cast<std::vector<CControlUI*>*>(pData)->push_back(pThis);
  return nullptr;
}

// Children before their parents.
std::vector<CControlUI*> Subtree(CControlUI* pControl) {
  std::vector<CControlUI*> all;
  pControl->FindControl(CollectAll, &all, UIFIND_ALL);
  return all;
}

template <class T>
bool AddUnique(std::vector<T*>& list, T* item) {
  if (item == nullptr || std::find(list.begin(), list.end(), item) != list.end()) return false;
  list.push_back(item);
  return true;
}

template <class T>
bool RemoveItem(std::vector<T*>& list, T* item) {
  const auto it = std::find(list.begin(), list.end(), item);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

// The event of a focus change to the control, then the notification; the
// event's sender is the control that gets the focus (nullptr: none).
void SendFocusChange(CPaintManagerUI* pm, CControlUI* target, int type, CControlUI* newFocus,
                     LPCSTR notification) {
  TEventUI event;
  event.Type = type;
  event.pSender = newFocus;
  event.dwTimestamp = ::GetTickCount();
  target->Event(event);
  pm->SendNotify(target, notification);
}

// Offers a message to a snapshot of the filters (a filter may remove
// itself); true with the result once one handled it.
bool RunFilters(const std::vector<IMessageFilterUI*>& filters, UINT uMsg, WPARAM wParam, LPARAM lParam,
                LRESULT& lRes) {
  const std::vector<IMessageFilterUI*> snapshot = filters;
  for (IMessageFilterUI* filter : snapshot) {
    bool handled = false;
    const LRESULT result = filter->MessageHandler(uMsg, wParam, lParam, handled);
    if (handled) {
      lRes = result;
      return true;
    }
  }
  return false;
}

}  // namespace

CPaintManagerUI::CPaintManagerUI() = default;

CPaintManagerUI::~CPaintManagerUI() {
  RemoveAllTimers();
  // Detach the tree first: controls reaped while it goes find no tree.
  CControlUI* root = m_pRoot;
  m_pRoot = nullptr;
  delete root;
  DeleteDelayed();
  for (auto& font : m_fonts) ::DeleteObject(font.second.hFont);
  if (m_defaultFont.hFont != nullptr) ::DeleteObject(m_defaultFont.hFont);
  ReleaseOffscreen();
  if (m_hwndTooltip != nullptr && ::IsWindow(m_hwndTooltip)) ::DestroyWindow(m_hwndTooltip);
  UnregisterPaintManager(this);
}

void CPaintManagerUI::Init(HWND hWnd, LPCSTR pstrName) {
  m_hWndPaint = hWnd;
  m_sName = pstrName ? pstrName : "";
  m_bFirstLayout = true;
  m_dpi.SetScale(CDPI::GetWindowDPI(hWnd));
  RegisterPaintManager(this);
  if (m_nOpacity != 255) SetOpacity(m_nOpacity);
  if (m_bLayered) SetLayered(true);
}

SIZE CPaintManagerUI::GetClientSize() const {
  RECT rc = {0, 0, 0, 0};
  if (m_hWndPaint != nullptr) ::GetClientRect(m_hWndPaint, &rc);
  return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

SIZE CPaintManagerUI::GetInitSize() const { return m_dpi.Scale(m_szInitWindowSize); }

void CPaintManagerUI::SetInitSize(int cx, int cy) {
  m_szInitWindowSize = SIZE{cx, cy};
  // Only while the skin is being built: afterwards the user owns the size.
  if (m_pRoot == nullptr && m_hWndPaint != nullptr && cx > 0 && cy > 0) {
    const SIZE sz = GetInitSize();
    ::SetWindowPos(m_hWndPaint, nullptr, 0, 0, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  }
}

RECT CPaintManagerUI::GetSizeBox() const { return m_dpi.Scale(m_rcSizeBox); }
void CPaintManagerUI::SetSizeBox(const RECT& rcSizeBox) { m_rcSizeBox = rcSizeBox; }
RECT CPaintManagerUI::GetCaptionRect() const { return m_dpi.Scale(m_rcCaption); }
void CPaintManagerUI::SetCaptionRect(const RECT& rcCaption) { m_rcCaption = rcCaption; }
SIZE CPaintManagerUI::GetRoundCorner() const { return m_dpi.Scale(m_szRoundCorner); }
void CPaintManagerUI::SetRoundCorner(int cx, int cy) { m_szRoundCorner = SIZE{cx, cy}; }
SIZE CPaintManagerUI::GetMinInfo() const { return m_dpi.Scale(m_szMinWindow); }
void CPaintManagerUI::SetMinInfo(int cx, int cy) { m_szMinWindow = SIZE{cx, cy}; }
SIZE CPaintManagerUI::GetMaxInfo() const { return m_dpi.Scale(m_szMaxWindow); }
void CPaintManagerUI::SetMaxInfo(int cx, int cy) { m_szMaxWindow = SIZE{cx, cy}; }

void CPaintManagerUI::SetOpacity(BYTE nOpacity) {
  m_nOpacity = nOpacity;
  if (m_hWndPaint == nullptr) return;
  if (m_bLayered) {
    Invalidate();  // UpdateLayeredWindow applies it with the next paint
    return;
  }
  const LONG exStyle = ::GetWindowLongA(m_hWndPaint, GWL_EXSTYLE);
  if ((exStyle & WS_EX_LAYERED) == 0) {
    if (nOpacity == 255) return;
    ::SetWindowLongA(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  }
  ::SetLayeredWindowAttributes(m_hWndPaint, 0, nOpacity, LWA_ALPHA);
}

void CPaintManagerUI::SetLayered(bool bLayered) {
  m_bLayered = bLayered;
  if (m_hWndPaint == nullptr) return;
  const LONG exStyle = ::GetWindowLongA(m_hWndPaint, GWL_EXSTYLE);
  if (bLayered) {
    // A window given SetLayeredWindowAttributes cannot take
    // UpdateLayeredWindow: set the style afresh.
    if (exStyle & WS_EX_LAYERED) ::SetWindowLongA(m_hWndPaint, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    ::SetWindowLongA(m_hWndPaint, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
  } else if (exStyle & WS_EX_LAYERED) {
    ::SetWindowLongA(m_hWndPaint, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    if (m_nOpacity != 255) SetOpacity(m_nOpacity);
  }
  Invalidate();
}

HFONT CPaintManagerUI::CreateScaledFont(const TFontInfo& info) const {
  LOGFONTA lf = {};
  ::lstrcpynA(lf.lfFaceName, info.sFontName, LF_FACESIZE);
  // Under the Chinese code page ask for GB2312 glyphs, so a face without
  // them is replaced by one that has them.
  lf.lfCharSet = ::GetACP() == 936 ? GB2312_CHARSET : DEFAULT_CHARSET;
  lf.lfHeight = -m_dpi.Scale(info.iSize);
  lf.lfWeight = info.bBold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = info.bUnderline ? TRUE : FALSE;
  lf.lfItalic = info.bItalic ? TRUE : FALSE;
  lf.lfQuality = m_bLayered ? ANTIALIASED_QUALITY : CLEARTYPE_QUALITY;
  return ::CreateFontIndirectA(&lf);
}

HFONT CPaintManagerUI::AddFont(int id, LPCSTR pStrFontName, int nSize, bool bBold, bool bUnderline,
                               bool bItalic, bool bDefault) {
  TFontInfo wanted;
  char face[LF_FACESIZE] = {};
  ::lstrcpynA(face, pStrFontName && *pStrFontName ? pStrFontName : "微软雅黑", LF_FACESIZE);
  wanted.sFontName = face;
  wanted.iSize = nSize > 0 ? nSize : 12;
  wanted.bBold = bBold;
  wanted.bUnderline = bUnderline;
  wanted.bItalic = bItalic;
  HFONT hFont = CreateScaledFont(wanted);
  if (hFont == nullptr) return nullptr;
  TFontInfo& info = m_fonts[id];
  if (info.hFont != nullptr) ::DeleteObject(info.hFont);
  wanted.hFont = hFont;
  info = wanted;
  if (bDefault) m_iDefaultFontId = id;
  Invalidate();
  return hFont;
}

HFONT CPaintManagerUI::GetFont(int id) {
  const auto it = m_fonts.find(id);
  return it != m_fonts.end() ? it->second.hFont : GetDefaultFont();
}

HFONT CPaintManagerUI::GetDefaultFont() {
  const auto it = m_fonts.find(m_iDefaultFontId);
  if (m_iDefaultFontId != -1 && it != m_fonts.end()) return it->second.hFont;
  if (m_defaultFont.hFont == nullptr) {
    m_defaultFont.sFontName = "微软雅黑";
    m_defaultFont.iSize = 12;
    m_defaultFont.hFont = CreateScaledFont(m_defaultFont);
  }
  return m_defaultFont.hFont;
}

void CPaintManagerUI::SetDPI(UINT dpi) {
  if (dpi == 0 || dpi == m_dpi.GetDPI()) return;
  m_dpi.SetScale(dpi);
  for (auto& font : m_fonts) {
    if (HFONT scaled = CreateScaledFont(font.second)) {
      ::DeleteObject(font.second.hFont);
      font.second.hFont = scaled;
    }
  }
  if (m_defaultFont.hFont != nullptr) {
    ::DeleteObject(m_defaultFont.hFont);
    m_defaultFont.hFont = nullptr;  // made again at the new size when asked for
  }
  if (m_hwndTooltip != nullptr) {
    ::SendMessageA(m_hwndTooltip, WM_SETFONT, reinterpret_cast<WPARAM>(GetDefaultFont()), FALSE);
  }
  // Images are chosen for the DPI as they are drawn: a new layout and a
  // repaint choose them again.
  NeedUpdate();
}

// The system's rectangle for the new monitor is taken as it is: it already
// has the new scale, so the move that follows changes no DPI and nothing
// here answers WM_SIZE with another size.
void CPaintManagerUI::OnDpiChanged(UINT dpi, const RECT* suggested) {
  if (m_bApplyingDpi) return;
  m_bApplyingDpi = true;
  SetDPI(dpi);
  if (suggested != nullptr) {
    ::SetWindowPos(m_hWndPaint, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_bApplyingDpi = false;
}

const TFontInfo* CPaintManagerUI::GetFontInfo(int id) {
  const auto it = m_fonts.find(id);
  if (it != m_fonts.end()) return &it->second;
  GetDefaultFont();
  const auto def = m_fonts.find(m_iDefaultFontId);
  return def != m_fonts.end() ? &def->second : &m_defaultFont;
}

void CPaintManagerUI::AddDefaultAttributeList(LPCSTR pStrControlName, LPCSTR pStrControlAttrList) {
  if (pStrControlName == nullptr) return;
  m_defaultAttributes[pStrControlName] = pStrControlAttrList ? pStrControlAttrList : "";
}

LPCSTR CPaintManagerUI::GetDefaultAttributeList(LPCSTR pStrControlName) const {
  if (pStrControlName == nullptr) return nullptr;
  const auto it = m_defaultAttributes.find(pStrControlName);
  return it != m_defaultAttributes.end() ? it->second.GetData() : nullptr;
}

bool CPaintManagerUI::AttachDialog(CControlUI* pControl) {
  if (pControl == nullptr) return false;
  SetFocus(nullptr);
  m_pEventHover = nullptr;
  m_pEventClick = nullptr;
  HideToolTip();
  if (m_pRoot != nullptr && m_pRoot != pControl) AddDelayedCleanup(m_pRoot);
  m_pRoot = pControl;
  m_bFirstLayout = true;
  NeedUpdate();
  return InitControls(pControl, nullptr);
}

bool CPaintManagerUI::InitControls(CControlUI* pControl, CControlUI* pParent) {
  if (pControl == nullptr) return false;
  pControl->SetManager(this, pParent != nullptr ? pParent : pControl->GetParent(), false);
  const std::vector<CControlUI*> subtree = Subtree(pControl);
  // Names first, so that each Init can find the others.
  for (CControlUI* c : subtree) RegisterNames(c);
  for (CControlUI* c : subtree) c->Init();
  return true;
}

void CPaintManagerUI::RegisterNames(CControlUI* pControl) {
  const CDuiString name = pControl->GetName();
  if (!name.IsEmpty()) m_names.emplace(name.GetData(), pControl);  // the first keeps the name
}

void CPaintManagerUI::UnregisterNames(CControlUI* pControl) {
  const CDuiString name = pControl->GetName();
  if (name.IsEmpty()) return;
  const auto it = m_names.find(name.GetData());
  if (it == m_names.end() || it->second != pControl) return;
  m_names.erase(it);
  // Another control of the same name takes it over (tab buttons share one).
  if (m_pRoot != nullptr) {
    if (CControlUI* other = m_pRoot->FindControl(FindFromName, const_cast<char*>(name.GetData()), UIFIND_ALL)) {
      if (other != pControl) m_names.emplace(name.GetData(), other);
    }
  }
}

void CPaintManagerUI::NameChanged(CControlUI* pControl, const CDuiString& oldName) {
  const auto it = m_names.find(oldName.GetData());
  if (it != m_names.end() && it->second == pControl) {
    m_names.erase(it);
    if (m_pRoot != nullptr) {
      CControlUI* other = m_pRoot->FindControl(FindFromName, const_cast<char*>(oldName.GetData()), UIFIND_ALL);
      if (other != nullptr && other != pControl) m_names.emplace(oldName.GetData(), other);
    }
  }
  RegisterNames(pControl);
}

void CPaintManagerUI::ReapObjects(CControlUI* pControl) {
  if (pControl == nullptr) return;
  for (CControlUI* c : Subtree(pControl)) {
    if (c == m_pEventHover) m_pEventHover = nullptr;
    if (c == m_pEventClick) m_pEventClick = nullptr;
    if (c == m_pFocus) m_pFocus = nullptr;
    if (c == m_pToolTipOwner) HideToolTip();
    KillTimer(c);
    UnregisterNames(c);
    for (auto it = m_optionGroups.begin(); it != m_optionGroups.end();) {
      RemoveItem(it->second, c);
      it = it->second.empty() ? m_optionGroups.erase(it) : std::next(it);
    }
    m_asyncNotify.erase(std::remove_if(m_asyncNotify.begin(), m_asyncNotify.end(),
                                       [c](const TNotifyUI& msg) { return msg.pSender == c; }),
                        m_asyncNotify.end());
  }
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI* pControl) {
  if (pControl == nullptr) return;
  ReapObjects(pControl);
  // Out of the window at once: whatever it still does until it is deleted
  // (the rest of its own event handling) reaches no manager.
  pControl->SetManager(nullptr, nullptr, false);
  m_delayedCleanup.push_back(pControl);
  PostProcessing();
}

void CPaintManagerUI::DeleteDelayed() {
  while (!m_delayedCleanup.empty()) {
    std::vector<CControlUI*> doomed;
    doomed.swap(m_delayedCleanup);
    for (CControlUI* c : doomed) delete c;
  }
}

void CPaintManagerUI::PostProcessing() {
  if (m_bPostPending || m_hWndPaint == nullptr) return;
  m_bPostPending = ::PostMessageA(m_hWndPaint, ManagerPostedMessage(), 0, 0) != FALSE;
}

void CPaintManagerUI::ProcessPosted() {
  m_bPostPending = false;
  DeleteDelayed();
  std::vector<TNotifyUI> pending;
  pending.swap(m_asyncNotify);
  for (TNotifyUI& msg : pending) SendNotify(msg, false);
}

CControlUI* CPaintManagerUI::FindControl(LPCSTR pstrName) const {
  if (pstrName == nullptr) return nullptr;
  const auto it = m_names.find(pstrName);
  return it != m_names.end() ? it->second : nullptr;
}

CControlUI* CPaintManagerUI::FindControl(POINT pt) const {
  if (m_pRoot == nullptr) return nullptr;
  return m_pRoot->FindControl(FindFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI* CPaintManagerUI::FindSubControlByName(CControlUI* pParent, LPCSTR pstrName) const {
  if (pParent == nullptr || pstrName == nullptr) return nullptr;
  return pParent->FindControl(FindFromName, const_cast<char*>(pstrName), UIFIND_ALL);
}

CControlUI* CPaintManagerUI::FindSubControlByPoint(CControlUI* pParent, POINT pt) const {
  if (pParent == nullptr) return nullptr;
  return pParent->FindControl(FindFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

bool CPaintManagerUI::AddOptionGroup(LPCSTR pStrGroupName, CControlUI* pControl) {
  if (pStrGroupName == nullptr || *pStrGroupName == '\0') return false;
  return AddUnique(m_optionGroups[pStrGroupName], pControl);
}

const std::vector<CControlUI*>* CPaintManagerUI::GetOptionGroup(LPCSTR pStrGroupName) const {
  if (pStrGroupName == nullptr) return nullptr;
  const auto it = m_optionGroups.find(pStrGroupName);
  return it != m_optionGroups.end() ? &it->second : nullptr;
}

void CPaintManagerUI::RemoveOptionGroup(LPCSTR pStrGroupName, CControlUI* pControl) {
  if (pStrGroupName == nullptr) return;
  const auto it = m_optionGroups.find(pStrGroupName);
  if (it == m_optionGroups.end()) return;
  RemoveItem(it->second, pControl);
  if (it->second.empty()) m_optionGroups.erase(it);
}

void CPaintManagerUI::SetFocus(CControlUI* pControl) {
  if (pControl != nullptr && m_hWndPaint != nullptr && ::GetFocus() != m_hWndPaint) ::SetFocus(m_hWndPaint);
  if (pControl == m_pFocus) return;
  if (CControlUI* old = m_pFocus) {
    m_pFocus = nullptr;
    SendFocusChange(this, old, UIEVENT_KILLFOCUS, pControl, DUI_MSGTYPE_KILLFOCUS);
  }
  if (pControl == nullptr || pControl->GetManager() != this || !pControl->IsVisible() || !pControl->IsEnabled()) {
    return;
  }
  m_pFocus = pControl;
  SendFocusChange(this, pControl, UIEVENT_SETFOCUS, pControl, DUI_MSGTYPE_SETFOCUS);
}

bool CPaintManagerUI::SetNextTabControl(bool bForward) {
  if (m_pRoot == nullptr) return false;
  std::vector<CControlUI*> stops;
  for (CControlUI* c : Subtree(m_pRoot)) {
    if ((c->GetControlFlags() & UIFLAG_TABSTOP) != 0 && c->IsVisible() && c->IsEnabled()) stops.push_back(c);
  }
  // Subtree lists children before parents; tab order is the skin's order,
  // which only differs for containers, and containers are no tab stops.
  if (stops.empty()) return false;
  const auto it = std::find(stops.begin(), stops.end(), m_pFocus);
  size_t next;
  if (it == stops.end()) {
    next = bForward ? 0 : stops.size() - 1;
  } else {
    const size_t index = static_cast<size_t>(it - stops.begin());
    next = bForward ? (index + 1) % stops.size() : (index + stops.size() - 1) % stops.size();
  }
  SetFocus(stops[next]);
  return true;
}

bool CPaintManagerUI::SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse) {
  if (pControl == nullptr || m_hWndPaint == nullptr) return false;
  for (const TimerInfo& t : m_timers) {
    if (t.pSender == pControl && t.nLocalID == nTimerID) {
      return ::SetTimer(m_hWndPaint, t.uWinTimer, uElapse, nullptr) != 0;  // restarted
    }
  }
  const UINT_PTR winTimer = ++m_uNextTimerID;
  if (::SetTimer(m_hWndPaint, winTimer, uElapse, nullptr) == 0) return false;
  m_timers.push_back(TimerInfo{pControl, nTimerID, winTimer});
  return true;
}

bool CPaintManagerUI::KillTimer(CControlUI* pControl, UINT nTimerID) {
  for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
    if (it->pSender == pControl && it->nLocalID == nTimerID) {
      if (m_hWndPaint != nullptr) ::KillTimer(m_hWndPaint, it->uWinTimer);
      m_timers.erase(it);
      return true;
    }
  }
  return false;
}

void CPaintManagerUI::KillTimer(CControlUI* pControl) {
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if (it->pSender == pControl) {
      if (m_hWndPaint != nullptr) ::KillTimer(m_hWndPaint, it->uWinTimer);
      it = m_timers.erase(it);
    } else {
      ++it;
    }
  }
}

void CPaintManagerUI::RemoveAllTimers() {
  for (const TimerInfo& t : m_timers) {
    if (m_hWndPaint != nullptr) ::KillTimer(m_hWndPaint, t.uWinTimer);
  }
  m_timers.clear();
}

void CPaintManagerUI::SetCapture() {
  if (m_hWndPaint != nullptr) ::SetCapture(m_hWndPaint);
  m_bMouseCapture = true;
}

void CPaintManagerUI::ReleaseCapture() {
  m_bMouseCapture = false;
  if (::GetCapture() == m_hWndPaint && m_hWndPaint != nullptr) ::ReleaseCapture();
}

void CPaintManagerUI::Invalidate() {
  if (m_hWndPaint != nullptr) ::InvalidateRect(m_hWndPaint, nullptr, FALSE);
}

void CPaintManagerUI::Invalidate(const RECT& rcItem) {
  if (m_hWndPaint != nullptr && !::IsRectEmpty(&rcItem)) ::InvalidateRect(m_hWndPaint, &rcItem, FALSE);
}

void CPaintManagerUI::NeedUpdate() {
  m_bUpdateNeeded = true;
  Invalidate();
}

void CPaintManagerUI::UpdateLayout() {
  if (!m_bUpdateNeeded || m_pRoot == nullptr || m_hWndPaint == nullptr) return;
  RECT rcClient = {0, 0, 0, 0};
  ::GetClientRect(m_hWndPaint, &rcClient);
  if (::IsRectEmpty(&rcClient)) return;  // minimised: lay out when restored
  m_bUpdateNeeded = false;
  m_pRoot->SetPos(rcClient, false);
}

bool CPaintManagerUI::AddNotifier(INotifyUI* pNotifier) { return AddUnique(m_notifiers, pNotifier); }
bool CPaintManagerUI::RemoveNotifier(INotifyUI* pNotifier) { return RemoveItem(m_notifiers, pNotifier); }

void CPaintManagerUI::SendNotify(TNotifyUI& Msg, bool bAsync) {
  Msg.ptMouse = m_ptLastMousePos;
  Msg.dwTimestamp = ::GetTickCount();
  if (bAsync) {
    m_asyncNotify.push_back(Msg);
    PostProcessing();
    return;
  }
  if (Msg.pSender != nullptr && Msg.pSender->OnNotify) Msg.pSender->OnNotify(&Msg);
  // Listeners removed by an earlier listener are skipped.
  const std::vector<INotifyUI*> notifiers = m_notifiers;
  for (INotifyUI* notifier : notifiers) {
    if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) notifier->Notify(Msg);
  }
}

void CPaintManagerUI::SendNotify(CControlUI* pControl, LPCSTR pstrMessage, WPARAM wParam, LPARAM lParam,
                                 bool bAsync) {
  TNotifyUI msg;
  msg.pSender = pControl;
  msg.sType = pstrMessage ? pstrMessage : "";
  msg.wParam = wParam;
  msg.lParam = lParam;
  SendNotify(msg, bAsync);
}

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI* pFilter) { return AddUnique(m_preMessageFilters, pFilter); }
bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI* pFilter) { return RemoveItem(m_preMessageFilters, pFilter); }
bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI* pFilter) { return AddUnique(m_messageFilters, pFilter); }
bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI* pFilter) { return RemoveItem(m_messageFilters, pFilter); }

bool CPaintManagerUI::AddTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator) {
  return AddUnique(m_translateAccelerators, pTranslateAccelerator);
}

bool CPaintManagerUI::RemoveTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator) {
  return RemoveItem(m_translateAccelerators, pTranslateAccelerator);
}

bool CPaintManagerUI::TranslateAccelerator(LPMSG pMsg) {
  const std::vector<ITranslateAccelerator*> accelerators = m_translateAccelerators;
  for (ITranslateAccelerator* accelerator : accelerators) {
    if (accelerator->TranslateAccelerator(pMsg) == S_OK) return true;
  }
  return false;
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  if (RunFilters(m_preMessageFilters, uMsg, wParam, lParam, lRes)) return true;
  if (uMsg == WM_KEYDOWN && wParam == VK_TAB) {
    // Tab and Shift+Tab walk the controls that take the focus.
    if (SetNextTabControl(::GetKeyState(VK_SHIFT) >= 0)) return true;
  }
  return false;
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes) {
  if (m_hWndPaint == nullptr) return false;
  if (RunFilters(m_messageFilters, uMsg, wParam, lParam, lRes)) return true;
  if (uMsg == ManagerPostedMessage()) {
    ProcessPosted();
    lRes = 0;
    return true;
  }
  switch (uMsg) {
    case WM_PAINT:
      OnPaint();
      lRes = 0;
      return true;
    case WM_PRINTCLIENT: {
      UpdateLayout();
      RECT rc;
      ::GetClientRect(m_hWndPaint, &rc);
      PaintInto(reinterpret_cast<HDC>(wParam), rc);
      lRes = 0;
      return true;
    }
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      lRes = 0;
      return true;
    case kDpiChangedAfterParent:
      // A child window (the hung page) moved with its top-level window.
      SetDPI(CDPI::GetWindowDPI(m_hWndPaint));
      lRes = 0;
      return true;
    case WM_ERASEBKGND:
      lRes = 1;  // everything is painted in WM_PAINT: no flicker
      return true;
    case WM_SIZE:
      if (m_pFocus != nullptr) SendEvent(m_pFocus, UIEVENT_WINDOWSIZE, m_ptLastMousePos, wParam, lParam);
      NeedUpdate();
      lRes = 0;
      return true;
    case WM_TIMER: {
      for (const TimerInfo& t : m_timers) {
        if (t.uWinTimer == wParam) {
          SendEvent(t.pSender, UIEVENT_TIMER, m_ptLastMousePos, t.nLocalID, lParam);
          lRes = 0;
          return true;
        }
      }
      return false;  // a timer of the window's own code
    }
    case WM_DESTROY:
      RemoveAllTimers();
      HideToolTip();
      return false;
    default:
      break;
  }
  return HandleMouseMessage(uMsg, wParam, lParam, lRes) || HandleKeyMessage(uMsg, wParam, lParam, lRes);
}

}  // namespace DuiLib
