// A page title, then a requested new-window address: the first byte says
// whether the browser sits in the alt-account window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "box/web/new_window_route.h"
#include "box/web/title_message.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const bool hasOwnerWindow = (data[0] & 1) != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  using namespace tamvelo::web;
  // A title that starts with a prefix always parses, as that kind.
  for (const bool loggedIn : {true, false}) {
    const std::string prefix = loggedIn ? kLoggedInTitlePrefix : kLoggedOutTitlePrefix;
    if (text.rfind(prefix, 0) != 0) continue;
    const auto parsed = ParseTitleMessage(text);
    Check(parsed.has_value() && parsed->loggedIn == loggedIn);
  }
  if (const auto message = ParseTitleMessage(text)) {
    // The message is the title with its prefix taken off, nothing else.
    const std::string prefix = message->loggedIn ? kLoggedInTitlePrefix : kLoggedOutTitlePrefix;
    Check(prefix + message->text == text);
  }

  const NewWindowRoute route = RouteNewWindow(text, hasOwnerWindow);
  Check(!route.hideOwner || hasOwnerWindow);
  if (route.target == NewWindowTarget::SystemWindow) Check(route.address.empty());
  else Check(route.address.find(kDirectOpenMarker) == std::string::npos);
  return 0;
}
