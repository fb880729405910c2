#include "box/net/net_hooks.h"

namespace tamvelo::net {

NetHooks& Hooks() {
  static NetHooks hooks;
  return hooks;
}

void ShowError(const char* text, const char* caption) {
  Hooks().messageBox(nullptr, text, caption, MB_OK);
}

}  // namespace tamvelo::net
