// The paint manager: one per skinned window. It owns the window's control
// tree, lays it out and paints it double-buffered, turns the window's mouse,
// keyboard, focus and timer messages into control events, sends notifications
// to the window's listeners, shows tooltips, and keeps fonts, option groups
// and the window's skin values (caption, size box, round corners, min size).
// Its static part holds what is process-wide: the instance handle, where the
// skin files come from (delegated to CResourceStore) and the message loop.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "duilib/UIDPI.h"
#include "duilib/UIDefine.h"
#include "duilib/UIString.h"

namespace DuiLib {

class CControlUI;

// An event for one control (CControlUI::Event / DoEvent).
struct TEventUI {
  int Type = 0;                  // EVENTTYPE_UI
  CControlUI* pSender = nullptr; // the control the event was sent to
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};        // client coordinates of the window
  char chKey = 0;                // key events: the virtual key (also in wParam)
  WORD wKeyState = 0;            // MK_CONTROL, MK_SHIFT, MK_ALT, MK_LBUTTON, MK_RBUTTON
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

// A notification for the window's listeners (INotifyUI::Notify).
struct TNotifyUI {
  CDuiString sType;              // DUI_MSGTYPE_*, e.g. "click"
  CDuiString sVirtualWnd;
  CControlUI* pSender = nullptr;
  DWORD dwTimestamp = 0;
  POINT ptMouse = {0, 0};        // last mouse position, client coordinates
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

class INotifyUI {
 public:
  virtual void Notify(TNotifyUI& msg) = 0;

 protected:
  ~INotifyUI() = default;
};

// Sees a window's messages before the manager; setting bHandled stops them.
class IMessageFilterUI {
 public:
  virtual LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) = 0;

 protected:
  ~IMessageFilterUI() = default;
};

// Sees queued messages of the window and of its child windows (an embedded
// browser) in the message loop; S_OK means translated (consumed).
class ITranslateAccelerator {
 public:
  virtual LRESULT TranslateAccelerator(MSG* pMsg) = 0;

 protected:
  ~ITranslateAccelerator() = default;
};

struct TFontInfo {
  HFONT hFont = nullptr;
  CDuiString sFontName;
  int iSize = 0;
  bool bBold = false;
  bool bUnderline = false;
  bool bItalic = false;
};

class CPaintManagerUI {
 public:
  CPaintManagerUI();
  ~CPaintManagerUI();
  CPaintManagerUI(const CPaintManagerUI&) = delete;
  CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

  // --- Process-wide ---------------------------------------------------------
  static HINSTANCE GetInstance();  // the program's module unless set
  static void SetInstance(HINSTANCE hInst);
  static CDuiString GetInstancePath();  // folder of the module, ending in '\'
  static CDuiString GetCurrentPath();
  static void SetCurrentPath(LPCSTR pStrPath);
  static HINSTANCE GetResourceDll();  // the instance unless another is set
  static void SetResourceDll(HINSTANCE hInst);
  static LPCSTR GetResourcePath();
  static void SetResourcePath(LPCSTR pStrPath);
  static int GetResourceType();
  static void SetResourceType(int nType);
  // Skin files from a zip held in memory that stays valid (a program
  // resource). False for a corrupt archive, which is then not used.
  static bool SetResourceZip(LPVOID pVoid, unsigned int len, LPCSTR password = nullptr);
  // Runs until WM_QUIT; pre-translates each message for the skinned windows.
  static void MessageLoop();
  static bool TranslateMessage(const LPMSG pMsg);

  // --- One window -----------------------------------------------------------
  void Init(HWND hWnd, LPCSTR pstrName = nullptr);
  HWND GetPaintWindow() const { return m_hWndPaint; }
  HWND GetTooltipWindow() const { return m_hwndTooltip; }
  LPCSTR GetName() const { return m_sName; }
  POINT GetMousePos() const { return m_ptLastMousePos; }
  SIZE GetClientSize() const;

  // Skin values of the window (the <Window> element's attributes).
  SIZE GetInitSize() const;
  void SetInitSize(int cx, int cy);  // also resizes the window
  RECT GetSizeBox() const;
  void SetSizeBox(const RECT& rcSizeBox);
  RECT GetCaptionRect() const;
  void SetCaptionRect(const RECT& rcCaption);
  SIZE GetRoundCorner() const;
  void SetRoundCorner(int cx, int cy);
  SIZE GetMinInfo() const;
  void SetMinInfo(int cx, int cy);
  SIZE GetMaxInfo() const;
  void SetMaxInfo(int cx, int cy);
  // Whole-window alpha (255 opaque) through a layered window.
  BYTE GetOpacity() const { return m_nOpacity; }
  void SetOpacity(BYTE nOpacity);
  // Per-pixel transparency of the skin ("bktrans"): the window is drawn with
  // UpdateLayeredWindow and the skin's alpha; the opacity still applies.
  bool IsLayered() const { return m_bLayered; }
  void SetLayered(bool bLayered);
  CDPI* GetDPIObj() { return &m_dpi; }
  const CDPI* GetDPIObj() const { return &m_dpi; }
  // Lays the window out, and draws its fonts and images, for another DPI
  // (Init takes the window's own; WM_DPICHANGED the new monitor's).
  void SetDPI(UINT dpi);

  DWORD GetDefaultFontColor() const { return m_dwDefaultFontColor; }
  void SetDefaultFontColor(DWORD dwColor) { m_dwDefaultFontColor = dwColor; }
  DWORD GetDefaultDisabledColor() const { return m_dwDefaultDisabledColor; }
  void SetDefaultDisabledColor(DWORD dwColor) { m_dwDefaultDisabledColor = dwColor; }

  // Fonts by id. Sizes are logical pixels (at 96 DPI), created for the
  // window's DPI. An unknown id gives the default font: the one added with
  // bDefault, else 12 px "微软雅黑".
  HFONT AddFont(int id, LPCSTR pStrFontName, int nSize, bool bBold, bool bUnderline, bool bItalic,
                bool bDefault = false);
  HFONT GetFont(int id);
  HFONT GetDefaultFont();
  const TFontInfo* GetFontInfo(int id);

  // Attribute lists applied to every element of a name before its own
  // attributes (<Default name="Button" value="..."/>).
  void AddDefaultAttributeList(LPCSTR pStrControlName, LPCSTR pStrControlAttrList);
  LPCSTR GetDefaultAttributeList(LPCSTR pStrControlName) const;

  // The control tree. AttachDialog takes ownership of the root (the previous
  // tree is destroyed) and initialises every control.
  bool AttachDialog(CControlUI* pControl);
  CControlUI* GetRoot() const { return m_pRoot; }
  // Gives a control (and its children) this manager and registers names.
  bool InitControls(CControlUI* pControl, CControlUI* pParent = nullptr);
  // Forgets every reference to a control that is going away.
  void ReapObjects(CControlUI* pControl);
  // Deletes a removed control once the current message is finished, so a
  // control may be removed from inside its own event or notification.
  void AddDelayedCleanup(CControlUI* pControl);

  // Exact, case-sensitive name; nullptr when absent.
  CControlUI* FindControl(LPCSTR pstrName) const;
  // Top-most visible control under a point (client coordinates) that takes
  // the mouse; nullptr outside every control.
  CControlUI* FindControl(POINT pt) const;
  CControlUI* FindSubControlByName(CControlUI* pParent, LPCSTR pstrName) const;
  CControlUI* FindSubControlByPoint(CControlUI* pParent, POINT pt) const;
  void NameChanged(CControlUI* pControl, const CDuiString& oldName);

  bool AddOptionGroup(LPCSTR pStrGroupName, CControlUI* pControl);
  const std::vector<CControlUI*>* GetOptionGroup(LPCSTR pStrGroupName) const;
  void RemoveOptionGroup(LPCSTR pStrGroupName, CControlUI* pControl);

  CControlUI* GetFocus() const { return m_pFocus; }
  void SetFocus(CControlUI* pControl);
  bool SetNextTabControl(bool bForward = true);

  // Control timers: the control receives UIEVENT_TIMER with wParam = id.
  bool SetTimer(CControlUI* pControl, UINT nTimerID, UINT uElapse);
  bool KillTimer(CControlUI* pControl, UINT nTimerID);
  void KillTimer(CControlUI* pControl);
  void RemoveAllTimers();

  void SetCapture();
  void ReleaseCapture();
  bool IsCaptured() const { return m_bMouseCapture; }

  void Invalidate();
  void Invalidate(const RECT& rcItem);
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void NeedUpdate();
  // Lays the tree out now if anything asked for it (painting does it too).
  void UpdateLayout();

  bool AddNotifier(INotifyUI* pControl);
  bool RemoveNotifier(INotifyUI* pControl);
  // The sender's OnNotify handlers, then every notifier. Asynchronous ones
  // are delivered from the window's message queue (dropped if the sender has
  // been removed meanwhile).
  void SendNotify(TNotifyUI& Msg, bool bAsync = false);
  void SendNotify(CControlUI* pControl, LPCSTR pstrMessage, WPARAM wParam = 0, LPARAM lParam = 0,
                  bool bAsync = false);

  bool AddPreMessageFilter(IMessageFilterUI* pFilter);
  bool RemovePreMessageFilter(IMessageFilterUI* pFilter);
  bool AddMessageFilter(IMessageFilterUI* pFilter);
  bool RemoveMessageFilter(IMessageFilterUI* pFilter);
  bool AddTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator);
  bool RemoveTranslateAccelerator(ITranslateAccelerator* pTranslateAccelerator);
  bool TranslateAccelerator(LPMSG pMsg);

  // Messages of queued input, before dispatch (Tab moves the focus).
  bool PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  // The window's messages; true when handled, with the result in lRes.
  bool MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);

 private:
  struct TimerInfo {
    CControlUI* pSender;
    UINT nLocalID;
    UINT_PTR uWinTimer;
  };

  // Painting (UIManagerPaint.cpp).
  void OnPaint();
  void PaintInto(HDC hDC, const RECT& rcPaint);
  bool EnsureOffscreen(int cx, int cy);
  void ReleaseOffscreen();
  void UpdateLayeredWindowContent();

  // Input (UIManagerInput.cpp).
  bool HandleMouseMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  bool HandleKeyMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lRes);
  void SendEvent(CControlUI* pControl, int type, POINT pt, WPARAM wParam = 0, LPARAM lParam = 0);
  void SetHover(CControlUI* pNewHover, POINT pt);
  void ShowToolTip(CControlUI* pControl, POINT pt);
  void HideToolTip();
  void TrackMouse();

  HFONT CreateScaledFont(const TFontInfo& info) const;
  void OnDpiChanged(UINT dpi, const RECT* suggested);

  void ProcessPosted();
  void PostProcessing();
  void RegisterNames(CControlUI* pControl);
  void UnregisterNames(CControlUI* pControl);
  void DeleteDelayed();

  HWND m_hWndPaint = nullptr;
  HWND m_hwndTooltip = nullptr;
  CDuiString m_sName;
  CDPI m_dpi;

  CControlUI* m_pRoot = nullptr;
  CControlUI* m_pFocus = nullptr;
  CControlUI* m_pEventHover = nullptr;
  CControlUI* m_pEventClick = nullptr;
  CControlUI* m_pToolTipOwner = nullptr;

  HDC m_hDcOffscreen = nullptr;
  HBITMAP m_hbmpOffscreen = nullptr;
  HGDIOBJ m_hbmpOld = nullptr;
  BYTE* m_pOffscreenBits = nullptr;
  SIZE m_szOffscreen = {0, 0};

  POINT m_ptLastMousePos = {-1, -1};
  SIZE m_szInitWindowSize = {0, 0};
  SIZE m_szRoundCorner = {0, 0};
  SIZE m_szMinWindow = {0, 0};
  SIZE m_szMaxWindow = {0, 0};
  RECT m_rcSizeBox = {0, 0, 0, 0};
  RECT m_rcCaption = {0, 0, 0, 0};
  BYTE m_nOpacity = 255;
  bool m_bLayered = false;
  bool m_bUpdateNeeded = false;
  bool m_bFirstLayout = true;
  bool m_bMouseTracking = false;
  bool m_bMouseCapture = false;
  bool m_bPostPending = false;
  bool m_bApplyingDpi = false;  // inside WM_DPICHANGED's own move
  DWORD m_dwDefaultFontColor = 0xFF000000;
  DWORD m_dwDefaultDisabledColor = 0xFFA7A6AA;

  UINT_PTR m_uNextTimerID = 0x1000;
  std::vector<TimerInfo> m_timers;
  std::vector<INotifyUI*> m_notifiers;
  std::vector<IMessageFilterUI*> m_preMessageFilters;
  std::vector<IMessageFilterUI*> m_messageFilters;
  std::vector<ITranslateAccelerator*> m_translateAccelerators;
  std::vector<CControlUI*> m_delayedCleanup;
  std::vector<TNotifyUI> m_asyncNotify;
  std::unordered_map<std::string, CControlUI*> m_names;
  std::map<std::string, std::vector<CControlUI*>> m_optionGroups;
  std::map<int, TFontInfo> m_fonts;
  TFontInfo m_defaultFont;  // created when first needed
  int m_iDefaultFontId = -1;  // a <Font default="true">, if any
  std::map<std::string, CDuiString> m_defaultAttributes;
};

}  // namespace DuiLib
