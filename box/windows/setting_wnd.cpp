#include "box/windows/setting_wnd.h"

#include <optional>
#include <string>

#include "box/prefs/close_action.h"
#include "box/prefs/fullscreen_caption.h"
#include "box/windows/fullscreen_button.h"
#include "common/config_ini.h"

namespace config = tamvelo::config;
using tamvelo::prefs::CloseAction;
using tamvelo::prefs::HotKeyValue;

CSettingWnd::~CSettingWnd() {
  for (HotKeyEntry* entry : m_hotKeys) delete entry;
}

void CSettingWnd::InitWindow() {
  m_pYesBtn = Find("yesbtn");
  m_pExitOption = static_cast<DuiLib::COptionUI*>(Find("ExitDirectbtn"));
  m_pTrayOption = static_cast<DuiLib::COptionUI*>(Find("MoveInTraybtn"));
  m_pAskOption = static_cast<DuiLib::COptionUI*>(Find("AskForMebtn"));
  m_pHideKeyCtrl = static_cast<DuiLib::CHotKeyUI*>(Find("HideKey"));
  m_pMulKeyCtrl = static_cast<DuiLib::CHotKeyUI*>(Find("MulKey"));
  m_pFullKeyCtrl = static_cast<DuiLib::CHotKeyUI*>(Find("FullKey"));

  const HotKeyValue hide = tamvelo::prefs::kDefaultHideKey;
  const HotKeyValue full = tamvelo::prefs::kDefaultFullKey;
  m_hotKeys.push_back(new HotKeyEntry{config::kHideKeyName, m_pHideKeyCtrl, hide.keyCode, hide.modifiers,
                                      tamvelo::prefs::HotKeyIdFromAtom("HideHotKey")});
  m_hotKeys.push_back(new HotKeyEntry{config::kFullKeyName, m_pFullKeyCtrl, full.keyCode, full.modifiers,
                                      tamvelo::prefs::HotKeyIdFromAtom("FullHotKey")});

  InitBackground();
}

bool CSettingWnd::OnClick(const DuiLib::CDuiString& name) {
  if (name != "yesbtn") return false;
  OnConfirm();
  return true;
}

void CSettingWnd::Show() {
  SelectStoredCloseAction();
  LoadHotKey(kHideKey, false);
  LoadHotKey(kFullKey, false);
  if (m_pYesBtn != nullptr) m_pYesBtn->SetFocus();
  ShowCentered();
}

void CSettingWnd::SelectStoredCloseAction() {
  const std::string stored = config::ReadExitDirect(m_pszConfigPath ? m_pszConfigPath : "");
  DuiLib::COptionUI* option = nullptr;
  switch (tamvelo::prefs::CloseActionFor(stored)) {
    case CloseAction::Prompt: option = m_pAskOption; break;
    case CloseAction::Quit: option = m_pExitOption; break;
    case CloseAction::Hide: option = m_pTrayOption; break;
    case CloseAction::Nothing: break;  // the options stay as they are
  }
  if (option != nullptr) option->Selected(true);
}

void CSettingWnd::OnConfirm() {
  SaveCloseAction();
  SaveHotKey(kHideKey, true);
  SaveHotKey(kFullKey, true);
  FormatFullKeyText();
  if (m_pFullscreenWnd != nullptr) m_pFullscreenWnd->UpdateCaption();
  if (m_pFullscreenCtrl != nullptr) {
    const std::string caption = tamvelo::prefs::EnterFullscreenCaption(m_szFullKeyText);
    m_pFullscreenCtrl->SetText(caption.c_str());
    m_pFullscreenCtrl->SetToolTip(caption.c_str());
  }
  HideWindow();
}

void CSettingWnd::SaveCloseAction() {
  // The options form one group; the first selected one in this order wins.
  std::optional<config::ExitDirect> value;
  if (m_pAskOption != nullptr && m_pAskOption->IsSelected()) value = config::ExitDirect::Ask;
  else if (m_pExitOption != nullptr && m_pExitOption->IsSelected()) value = config::ExitDirect::Quit;
  else if (m_pTrayOption != nullptr && m_pTrayOption->IsSelected()) value = config::ExitDirect::Hide;
  if (!value || m_pszConfigPath == nullptr) return;
  config::WriteExitDirect(m_pszConfigPath, *value);
}

void CSettingWnd::RegisterHotKeysAtStart() {
  LoadHotKey(kHideKey, true);
  LoadHotKey(kFullKey, true);
  FormatFullKeyText();
}

void CSettingWnd::LoadHotKey(size_t index, bool registerIt) {
  if (index >= m_hotKeys.size()) return;
  HotKeyEntry& entry = *m_hotKeys[index];
  if (m_pszConfigPath != nullptr) {
    const std::string stored = config::ReadHotKey(m_pszConfigPath, entry.keyName);
    if (const auto value = tamvelo::prefs::ParseStoredHotKey(stored)) entry.Take(*value);
  }
  if (registerIt) {
    RegisterHotKeyEntry(index);
  } else if (entry.control != nullptr) {
    entry.control->SetHotKey(entry.keyCode, entry.modifiers);
  }
}

void CSettingWnd::SaveHotKey(size_t index, bool reRegister) {
  if (index >= m_hotKeys.size() || m_hotKeys[index]->control == nullptr) return;
  HotKeyEntry& entry = *m_hotKeys[index];
  WORD keyCode = 0;
  WORD modifiers = 0;
  entry.control->GetHotKey(keyCode, modifiers);
  if (keyCode == 0) {
    // Cleared, or only modifiers pressed: no usable key, so the previous one
    // comes back and stays registered.
    entry.control->SetHotKey(entry.keyCode, entry.modifiers);
  } else if (keyCode == entry.keyCode && modifiers == entry.modifiers) {
    return;  // unchanged: nothing written, registration untouched
  } else {
    entry.Take({keyCode, modifiers});
  }
  if (m_pszConfigPath != nullptr) {
    config::WriteHotKey(m_pszConfigPath, entry.keyName, tamvelo::prefs::StoredHotKeyText(entry.Value()));
  }
  if (reRegister) {
    ::UnregisterHotKey(m_hOwner, entry.id);
    RegisterHotKeyEntry(index);
  }
}

void CSettingWnd::RegisterHotKeyEntry(size_t index) {
  if (index >= m_hotKeys.size()) return;
  const HotKeyEntry& entry = *m_hotKeys[index];
  // Another program may hold the key: the hotkey then silently does nothing.
  ::RegisterHotKey(m_hOwner, entry.id, tamvelo::prefs::ToRegisterModifiers(entry.modifiers), entry.keyCode);
}

void CSettingWnd::UnregisterHotKeys() {
  for (const HotKeyEntry* entry : m_hotKeys) ::UnregisterHotKey(m_hOwner, entry->id);
}

void CSettingWnd::FormatFullKeyText() {
  if (kFullKey >= m_hotKeys.size()) return;
  const std::string text = tamvelo::prefs::HotKeyDisplayText(m_hotKeys[kFullKey]->Value());
  ::lstrcpynA(m_szFullKeyText, text.c_str(), sizeof m_szFullKeyText);
}

int CSettingWnd::GetHotKeyId(size_t index) const { return index < m_hotKeys.size() ? m_hotKeys[index]->id : -1; }

const HotKeyEntry* CSettingWnd::GetHotKeyEntry(size_t index) const {
  return index < m_hotKeys.size() ? m_hotKeys[index] : nullptr;
}
