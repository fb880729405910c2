// The base of every skinned window. On WM_CREATE it removes the system
// frame, builds the skin file (GetSkinFile) into the paint manager m_pm,
// registers itself as the window's notifier and pre-message filter, and
// calls InitWindow. A skin that cannot be built makes the creation fail
// (Create returns nullptr; OnFinalMessage has run).
//
// Behaviour of a skinned window: the skin's caption area drags the window
// and a double click there maximises or restores it (through WM_SYSCOMMAND,
// as the system does); the size box resizes it; maximising fills the work
// area of its monitor; "roundcorner" clips the corners of a window that is
// not maximised; "mininfo"/"maxinfo" limit its size.
//
// Notifications reach Notify, which dispatches them through the class's
// notification map (DUI_BEGIN_MESSAGE_MAP); this class maps "click" to
// OnClick, which handles the usual "closebtn", "minbtn", "maxbtn" and
// "restorebtn" names.
//
// Messages: HandleMessage calls the OnXxx handler of the message (each sets
// bHandled to FALSE to let the message go on), then HandleCustomMessage,
// then the paint manager, then the default window procedure.
#pragma once

#include "duilib/UIBase.h"
#include "duilib/UIDlgBuilder.h"
#include "duilib/UIManager.h"
#include "duilib/UINotifyPump.h"
#include "duilib/UIResource.h"

namespace DuiLib {

// Texts a window can supply for controls by id (multi-language skins).
class IQueryControlText {
 public:
  virtual LPCSTR QueryControlText(LPCSTR lpstrId, LPCSTR lpstrType) = 0;

 protected:
  ~IQueryControlText() = default;
};

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IMessageFilterUI,
                       public IDialogBuilderCallback,
                       public IQueryControlText {
 public:
  WindowImplBase() = default;
  ~WindowImplBase() override = default;

  // After the skin is built and attached.
  virtual void InitWindow() {}
  void OnFinalMessage(HWND hWnd) override;
  // Every notification of the window ("windowinit" included).
  void Notify(TNotifyUI& msg) override;
  virtual void OnClick(TNotifyUI& msg);

  CPaintManagerUI* GetPaintManager() { return &m_pm; }

  DUI_DECLARE_MESSAGE_MAP()

 protected:
  // Skin folder under the program's folder, used only when no resource path
  // was set; the skin file relative to the resource path ("xml//main.xml").
  virtual CDuiString GetSkinFolder() { return CDuiString(); }
  virtual CDuiString GetSkinFile() = 0;
  // Where the skin comes from. Every type reads through the process-wide
  // resource store (the zip handed over, else the resource path).
  virtual UILIB_RESOURCETYPE GetSkinType() { return UILIB_FILE; }
  virtual LPCSTR GetManagerName() { return nullptr; }
  // Return and Escape before the focused control sees them: true consumes
  // the key. The default consumes nothing.
  virtual LRESULT ResponseDefaultKeyEvent(WPARAM wParam);

  CPaintManagerUI m_pm;

 public:
  UINT GetClassStyle() const override;
  CControlUI* CreateControl(LPCSTR pstrClass) override;
  LPCSTR QueryControlText(LPCSTR lpstrId, LPCSTR lpstrType) override;
  // The pre-message filter: Return and Escape go to ResponseDefaultKeyEvent.
  LRESULT MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;

  virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnNcActivate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnNcCalcSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnNcPaint(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnNcHitTest(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnGetMinMaxInfo(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnMouseWheel(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnMouseHover(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnSize(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnChar(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnKeyDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnKillFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnSetFocus(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnLButtonDown(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnLButtonUp(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  virtual LRESULT OnMouseMove(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
  virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& bHandled);
  // The window style without the system caption.
  virtual LONG GetStyle();
};

}  // namespace DuiLib
