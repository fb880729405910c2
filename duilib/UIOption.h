// A button that stays selected. Options of one group (same "group" name in
// one window) are exclusive: selecting one clears the others. A click
// selects a grouped option, or toggles one without a group; "selectchanged"
// is sent by the option that became selected (or, without a group, that
// changed) and only when the state really changed.
#pragma once

#include "duilib/UIButton.h"

namespace DuiLib {

class COptionUI : public CButtonUI {
 public:
  ~COptionUI() override;
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;

  bool Activate() override;

  LPCSTR GetGroup() const { return m_sGroupName; }
  void SetGroup(LPCSTR pStrGroupName);
  bool IsSelected() const { return m_bSelected; }
  virtual void Selected(bool bSelected, bool bTriggerEvent = true);

  LPCSTR GetSelectedImage() const { return m_sSelectedImage; }
  void SetSelectedImage(LPCSTR pStrImage);
  LPCSTR GetSelectedHotImage() const { return m_sSelectedHotImage; }
  void SetSelectedHotImage(LPCSTR pStrImage);
  void SetSelectedTextColor(DWORD dwTextColor) { m_dwSelectedTextColor = dwTextColor; }
  DWORD GetSelectedTextColor() const { return m_dwSelectedTextColor; }
  void SetSelectedBkColor(DWORD dwBkColor) { m_dwSelectedBkColor = dwBkColor; }
  DWORD GetSelectedBkColor() const { return m_dwSelectedBkColor; }

  void SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) override;
  void PaintBkColor(HDC hDC) override;
  void PaintStatusImage(HDC hDC) override;
  void PaintText(HDC hDC) override;

 protected:
  void JoinGroup();

  bool m_bSelected = false;
  CDuiString m_sGroupName;
  CDuiString m_sSelectedImage;
  CDuiString m_sSelectedHotImage;
  DWORD m_dwSelectedTextColor = 0;
  DWORD m_dwSelectedBkColor = 0;
};

// A check box: an option without a group, read as checked or not.
class CCheckBoxUI : public COptionUI {
 public:
  LPCSTR GetClass() const override;
  LPVOID GetInterface(LPCSTR pstrName) override;
  void SetCheck(bool bCheck, bool bTriggerEvent = true) { Selected(bCheck, bTriggerEvent); }
  bool GetCheck() const { return IsSelected(); }
};

}  // namespace DuiLib
