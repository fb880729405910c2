// The base of every control: a rectangle in the window with a name, text,
// colours, images, layout hints (fixed size, padding, floating position) and
// state (visible, enabled, focused). Subclasses override the virtuals marked
// below; containers hold and lay out children (UIContainer.h).
#pragma once

#include <windows.h>

#include "duilib/UIDelegate.h"
#include "duilib/UIDefine.h"
#include "duilib/UIManager.h"
#include "duilib/UIString.h"

namespace DuiLib {

typedef CControlUI*(CALLBACK* FINDCONTROLPROC)(CControlUI*, LPVOID);

class CControlUI {
 public:
  CControlUI();
  virtual ~CControlUI();
  CControlUI(const CControlUI&) = delete;
  CControlUI& operator=(const CControlUI&) = delete;

  // Identity. GetInterface answers the names of the classes the control is
  // (DUI_CTR_*), so callers can test a control's kind without RTTI.
  virtual CDuiString GetName() const { return m_sName; }
  virtual void SetName(LPCSTR pstrName);
  virtual LPCSTR GetClass() const;
  virtual LPVOID GetInterface(LPCSTR pstrName);
  virtual UINT GetControlFlags() const { return 0; }
  // What a click or the Return key does (buttons send "click").
  virtual bool Activate();

  virtual CPaintManagerUI* GetManager() const { return m_pManager; }
  // bInit: run Init() once the control has its manager.
  virtual void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true);
  virtual CControlUI* GetParent() const { return m_pParent; }

  virtual CDuiString GetText() const { return m_sText; }
  virtual void SetText(LPCSTR pstrText);

  DWORD GetBkColor() const { return m_dwBackColor; }
  void SetBkColor(DWORD dwBackColor);
  DWORD GetBkColor2() const { return m_dwBackColor2; }
  void SetBkColor2(DWORD dwBackColor);
  LPCSTR GetBkImage() const { return m_sBkImage; }
  void SetBkImage(LPCSTR pStrImage);
  DWORD GetBorderColor() const { return m_dwBorderColor; }
  void SetBorderColor(DWORD dwBorderColor);
  int GetBorderSize() const;
  void SetBorderSize(int nSize);
  SIZE GetBorderRound() const;
  void SetBorderRound(SIZE cxyRound);
  // Draws an image string of the toolkit's syntax in the control's rectangle.
  bool DrawImage(HDC hDC, LPCSTR pStrImage);

  // Position and layout hints. Sizes are pixels at 96 DPI; the getters
  // return them scaled for the window's DPI.
  virtual const RECT& GetPos() const { return m_rcItem; }
  // Places the control (containers lay their children out here). Override
  // to lay out differently; call the base first.
  virtual void SetPos(RECT rc, bool bNeedInvalidate = true);
  virtual int GetWidth() const { return m_rcItem.right - m_rcItem.left; }
  virtual int GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
  virtual int GetX() const { return m_rcItem.left; }
  virtual int GetY() const { return m_rcItem.top; }
  virtual RECT GetPadding() const;
  virtual void SetPadding(RECT rcPadding);
  // Floating position relative to the parent's top-left (negative: from the
  // right/bottom edge).
  virtual SIZE GetFixedXY() const;
  virtual void SetFixedXY(SIZE szXY);
  virtual int GetFixedWidth() const;
  virtual void SetFixedWidth(int cx);
  virtual int GetFixedHeight() const;
  virtual void SetFixedHeight(int cy);
  virtual int GetMinWidth() const;
  virtual void SetMinWidth(int cx);
  virtual int GetMaxWidth() const;
  virtual void SetMaxWidth(int cx);
  virtual int GetMinHeight() const;
  virtual void SetMinHeight(int cy);
  virtual int GetMaxHeight() const;
  virtual void SetMaxHeight(int cy);
  // The size a layout should give: 0 in a dimension means "flexible".
  virtual SIZE EstimateSize(SIZE szAvailable);
  // Where the control sits when it floats in a parent at rcParent. Its
  // edges are scaled, not its size, so floating neighbours that share an
  // edge in the skin share it at every scale.
  RECT GetFloatPos(const RECT& rcParent) const;

  virtual CDuiString GetToolTip() const { return m_sToolTip; }
  virtual void SetToolTip(LPCSTR pstrText);
  int GetToolTipWidth() const { return m_nTooltipWidth; }
  void SetToolTipWidth(int nWidth) { m_nTooltipWidth = nWidth; }

  virtual const CDuiString& GetUserData() const { return m_sUserData; }
  virtual void SetUserData(LPCSTR pstrText) { m_sUserData = pstrText; }
  virtual UINT_PTR GetTag() const { return m_pTag; }
  virtual void SetTag(UINT_PTR pTag) { m_pTag = pTag; }

  // Visible means its own flag and every parent's.
  virtual bool IsVisible() const { return m_bVisible && m_bInternVisible; }
  virtual void SetVisible(bool bVisible = true);
  // A parent's visibility changed (controls with a native window follow it).
  virtual void SetInternVisible(bool bVisible = true);
  virtual bool IsEnabled() const { return m_bEnabled; }
  virtual void SetEnabled(bool bEnable = true);
  virtual bool IsMouseEnabled() const { return m_bMouseEnabled; }
  virtual void SetMouseEnabled(bool bEnable = true) { m_bMouseEnabled = bEnable; }
  virtual bool IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
  virtual void SetKeyboardEnabled(bool bEnable = true) { m_bKeyboardEnabled = bEnable; }
  virtual bool IsFocused() const { return m_bFocused; }
  virtual void SetFocus();
  virtual bool IsFloat() const { return m_bFloat; }
  virtual void SetFloat(bool bFloat = true);
  bool IsContextMenuUsed() const { return m_bMenuUsed; }
  void SetContextMenuUsed(bool bMenuUsed) { m_bMenuUsed = bMenuUsed; }

  virtual CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags);

  void Invalidate();
  bool IsUpdateNeeded() const { return m_bUpdateNeeded; }
  void NeedUpdate();
  void NeedParentUpdate();

  // Called once the control is in a window's tree. Override to build
  // children or apply attributes; DoInit is the hook of the base Init.
  virtual void Init();
  virtual void DoInit() {}

  // Event() runs the OnEvent handlers, then DoEvent unless one returned
  // false. Override DoEvent to react; pass what you do not handle on to the
  // base class, which bubbles mouse events to the parent.
  virtual void Event(TEventUI& event);
  virtual void DoEvent(TEventUI& event);

  // One attribute of the skin syntax. Override to add attributes; pass every
  // other name to the base class.
  virtual void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue);
  // name="value" pairs separated by blanks (either quote character).
  CControlUI* ApplyAttributeList(LPCSTR pstrList);

  // Painting, clipped to rcPaint: background colour, background image,
  // state image, text, border.
  virtual void DoPaint(HDC hDC, const RECT& rcPaint);
  virtual void PaintBkColor(HDC hDC);
  virtual void PaintBkImage(HDC hDC);
  virtual void PaintStatusImage(HDC hDC);
  virtual void PaintText(HDC hDC);
  virtual void PaintBorder(HDC hDC);

  CEventSource OnInit;     // param: this
  CEventSource OnDestroy;  // param: this
  CEventSource OnSize;     // param: this
  CEventSource OnEvent;    // param: TEventUI*
  CEventSource OnNotify;   // param: TNotifyUI*

 protected:
  // A text or image attribute that is painted (nullptr: none) and a colour
  // that is painted: a change repaints the control.
  void SetPaintText(CDuiString& field, LPCSTR value);
  void SetPaintColor(DWORD& field, DWORD value);
  // A size hint (negative values are refused): a change lays the parent out.
  void SetLayoutHint(LONG& hint, int value);
  // Scales a 96-DPI length for this control's window.
  int Scale(int value) const;
  RECT Scale(const RECT& rc) const;

  CPaintManagerUI* m_pManager = nullptr;
  CControlUI* m_pParent = nullptr;
  CDuiString m_sName;
  CDuiString m_sText;
  CDuiString m_sToolTip;
  CDuiString m_sUserData;
  CDuiString m_sBkImage;
  UINT_PTR m_pTag = 0;
  RECT m_rcItem = {0, 0, 0, 0};
  RECT m_rcPaint = {0, 0, 0, 0};  // the part being painted (DoPaint)
  RECT m_rcPadding = {0, 0, 0, 0};
  SIZE m_cXY = {0, 0};
  SIZE m_cxyFixed = {0, 0};
  SIZE m_cxyMin = {0, 0};
  SIZE m_cxyMax = {9999, 9999};
  SIZE m_cxyBorderRound = {0, 0};
  DWORD m_dwBackColor = 0;
  DWORD m_dwBackColor2 = 0;
  DWORD m_dwBorderColor = 0;
  int m_nBorderSize = 0;
  int m_nTooltipWidth = 300;
  bool m_bVisible = true;
  bool m_bInternVisible = true;
  bool m_bEnabled = true;
  bool m_bMouseEnabled = true;
  bool m_bKeyboardEnabled = true;
  bool m_bFocused = false;
  bool m_bFloat = false;
  bool m_bUpdateNeeded = true;
  bool m_bMenuUsed = false;
  bool m_bSetPos = false;
};

}  // namespace DuiLib
