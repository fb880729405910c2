#include "duilib/UIOption.h"

#include <string.h>

#include "duilib/UIAttribute.h"
#include "duilib/UIRender.h"

namespace DuiLib {

COptionUI::~COptionUI() {
  if (!m_sGroupName.IsEmpty() && m_pManager != nullptr) m_pManager->RemoveOptionGroup(m_sGroupName, this);
}

LPCSTR COptionUI::GetClass() const { return "OptionUI"; }

LPVOID COptionUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_OPTION) == 0) return this;
  return CButtonUI::GetInterface(pstrName);
}

void COptionUI::SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit) {
  if (m_pManager != nullptr && m_pManager != pManager && !m_sGroupName.IsEmpty()) {
    m_pManager->RemoveOptionGroup(m_sGroupName, this);
  }
  CButtonUI::SetManager(pManager, pParent, bInit);
  JoinGroup();
}

void COptionUI::JoinGroup() {
  if (m_pManager == nullptr || m_sGroupName.IsEmpty()) return;
  m_pManager->AddOptionGroup(m_sGroupName, this);
  // A selected option joining its group wins over the ones already there.
  if (m_bSelected) {
    m_bSelected = false;
    Selected(true, false);
  }
}

void COptionUI::SetGroup(LPCSTR pStrGroupName) {
  const CDuiString name = pStrGroupName ? pStrGroupName : "";
  if (m_sGroupName == name.GetData()) return;
  if (m_pManager != nullptr && !m_sGroupName.IsEmpty()) m_pManager->RemoveOptionGroup(m_sGroupName, this);
  m_sGroupName = name;
  JoinGroup();
}

void COptionUI::Selected(bool bSelected, bool bTriggerEvent) {
  if (m_bSelected == bSelected) return;
  m_bSelected = bSelected;
  if (m_bSelected) m_uButtonState |= UISTATE_SELECTED;
  else m_uButtonState &= ~UISTATE_SELECTED;
  Invalidate();
  if (m_pManager == nullptr) return;
  if (m_sGroupName.IsEmpty()) {
    if (bTriggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
    return;
  }
  if (!m_bSelected) return;  // the newly selected option of a group speaks for it
  if (const std::vector<CControlUI*>* group = m_pManager->GetOptionGroup(m_sGroupName)) {
    const std::vector<CControlUI*> members = *group;
    for (CControlUI* member : members) {
      auto* option = static_cast<COptionUI*>(member->GetInterface(DUI_CTR_OPTION));
      if (option != nullptr && option != this) option->Selected(false, bTriggerEvent);
    }
  }
  if (bTriggerEvent) m_pManager->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
}

bool COptionUI::Activate() {
  if (!CButtonUI::Activate()) return false;
  if (!m_sGroupName.IsEmpty()) Selected(true);
  else Selected(!m_bSelected);
  return true;
}

void COptionUI::SetSelectedImage(LPCSTR pStrImage) { SetPaintText(m_sSelectedImage, pStrImage); }

void COptionUI::SetSelectedHotImage(LPCSTR pStrImage) { SetPaintText(m_sSelectedHotImage, pStrImage); }

void COptionUI::SetAttribute(LPCSTR pstrName, LPCSTR pstrValue) {
  if (pstrName == nullptr || pstrValue == nullptr) return;
  auto is = [pstrName](const char* name) { return _stricmp(pstrName, name) == 0; };
  if (is("group")) SetGroup(pstrValue);
  else if (is("selected")) Selected(ParseBool(pstrValue));
  else if (is("selectedimage")) SetSelectedImage(pstrValue);
  else if (is("selectedhotimage")) SetSelectedHotImage(pstrValue);
  else if (is("selectedtextcolor")) SetSelectedTextColor(CRenderEngine::ParseColor(pstrValue));
  else if (is("selectedbkcolor")) SetSelectedBkColor(CRenderEngine::ParseColor(pstrValue));
  else CButtonUI::SetAttribute(pstrName, pstrValue);
}

void COptionUI::PaintBkColor(HDC hDC) {
  if (m_bSelected && m_dwSelectedBkColor != 0) {
    CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwSelectedBkColor);
    return;
  }
  CButtonUI::PaintBkColor(hDC);
}

void COptionUI::PaintStatusImage(HDC hDC) {
  if (m_bSelected && (m_uButtonState & UISTATE_DISABLED) == 0) {
    if ((m_uButtonState & UISTATE_HOT) != 0 && DrawImage(hDC, m_sSelectedHotImage)) return;
    if (DrawImage(hDC, m_sSelectedImage)) return;
  }
  CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::PaintText(HDC hDC) {
  if (m_bSelected && IsEnabled() && m_dwSelectedTextColor != 0) {
    DrawTextWithColor(hDC, m_dwSelectedTextColor);
    return;
  }
  CButtonUI::PaintText(hDC);
}

LPCSTR CCheckBoxUI::GetClass() const { return "CheckBoxUI"; }

LPVOID CCheckBoxUI::GetInterface(LPCSTR pstrName) {
  if (pstrName != nullptr && strcmp(pstrName, DUI_CTR_CHECKBOX) == 0) return this;
  return COptionUI::GetInterface(pstrName);
}

}  // namespace DuiLib
