#include "box/prefs/close_action.h"

#include "common/config_ini.h"
#include "common/ini.h"

namespace tamvelo::prefs {

CloseAction CloseActionFor(const std::string& exitDirect) {
  using config::ExitDirect;
  if (ini::IsAbsent(exitDirect) || exitDirect == config::ExitDirectText(ExitDirect::Ask)) {
    return CloseAction::Prompt;
  }
  if (exitDirect == config::ExitDirectText(ExitDirect::Quit)) return CloseAction::Quit;
  if (exitDirect == config::ExitDirectText(ExitDirect::Hide)) return CloseAction::Hide;
  return CloseAction::Nothing;
}

}  // namespace tamvelo::prefs
