#include "box/prefs/close_action.h"

#include "common/ini.h"

namespace tamvelo::prefs {

CloseAction CloseActionFor(const std::string& exitDirect) {
  if (ini::IsAbsent(exitDirect) || exitDirect == "0") return CloseAction::Prompt;
  if (exitDirect == "1") return CloseAction::Quit;
  if (exitDirect == "2") return CloseAction::Hide;
  return CloseAction::Nothing;
}

}  // namespace tamvelo::prefs
