// A control that owns and lays out children. The plain container gives every
// non-floating child its inner rectangle (inset, then the child's padding;
// a fixed width or height is kept, anchored top-left); floating children sit
// at their "pos" relative to the container's top-left corner.
//
// Subclasses that lay children out themselves (the game box's tab strip and
// tab buttons) override SetPos (call CContainerUI::SetPos first, then move
// the children), Init (build children once the control is in a window),
// SetAttribute (handle their own names, pass the rest on) and DoEvent (pass
// what they do not handle on).
#pragma once

#include <vector>

#include "duilib/UIControl.h"

namespace DuiLib {

class IContainerUI {
 public:
  virtual CControlUI* GetItemAt(int iIndex) const = 0;
  virtual int GetItemIndex(CControlUI* pControl) const = 0;
  virtual bool SetItemIndex(CControlUI* pControl, int iIndex) = 0;
  virtual int GetCount() const = 0;
  virtual bool Add(CControlUI* pControl) = 0;
  virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
  // Destroys the control unless bDoNotDestroy (then the caller owns it).
  virtual bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) = 0;
  virtual bool RemoveAt(int iIndex, bool bDoNotDestroy = false) = 0;
  virtual void RemoveAll() = 0;

 protected:
  ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
 public:
  CContainerUI() = default;
  ~CContainerUI() override;

  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;

  CControlUI* GetItemAt(int iIndex) const override;
  int GetItemIndex(CControlUI* pControl) const override;
  bool SetItemIndex(CControlUI* pControl, int iIndex) override;
  int GetCount() const override;
  // Takes ownership. False for nullptr, a control already here or a bad index.
  bool Add(CControlUI* pControl) override;
  bool AddAt(CControlUI* pControl, int iIndex) override;
  // A removed control is destroyed once the current message is finished
  // (at once when the container is not in a window), so a handler may remove
  // the control that sent its notification.
  bool Remove(CControlUI* pControl, bool bDoNotDestroy = false) override;
  bool RemoveAt(int iIndex, bool bDoNotDestroy = false) override;
  void RemoveAll() override;

  virtual RECT GetInset() const;
  virtual void SetInset(RECT rcInset);
  virtual int GetChildPadding() const;
  virtual void SetChildPadding(int iPadding);
  virtual bool IsAutoDestroy() const { return m_bAutoDestroy; }
  virtual void SetAutoDestroy(bool bAuto) { m_bAutoDestroy = bAuto; }
  virtual bool IsDelayedDestroy() const { return m_bDelayedDestroy; }
  virtual void SetDelayedDestroy(bool bDelayed) { m_bDelayedDestroy = bDelayed; }
  virtual bool IsMouseChildEnabled() const { return m_bMouseChildEnabled; }
  virtual void SetMouseChildEnabled(bool bEnable = true) { m_bMouseChildEnabled = bEnable; }

  void SetVisible(bool bVisible = true) override;
  void SetInternVisible(bool bVisible = true) override;
  void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
  CControlUI* FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;

  void SetPos(RECT rc, bool bNeedInvalidate = true) override;
  void DoPaint(HDC hDC, const RECT& rcPaint) override;
  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;

 protected:
  // The rectangle inside the inset.
  RECT GetInnerRect() const;
  // The vertical and horizontal layouts: children stacked along one axis
  // (see UIStackLayout.h), floating ones at their "pos".
  void SetStackedPos(RECT rc, bool bNeedInvalidate, bool bVertical);
  // Places a floating child from its fixed position and size.
  void SetFloatPos(int iIndex);
  void Dispose(CControlUI* pControl, bool bDoNotDestroy);

  std::vector<CControlUI*> m_items;
  RECT m_rcInset = {0, 0, 0, 0};
  int m_iChildPadding = 0;
  bool m_bAutoDestroy = true;
  bool m_bDelayedDestroy = true;
  bool m_bMouseChildEnabled = true;
};

}  // namespace DuiLib
