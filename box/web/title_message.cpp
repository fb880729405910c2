#include "box/web/title_message.h"

#include <string_view>

namespace tamvelo::web {
namespace {

std::optional<std::string> RestAfter(const std::string& title, std::string_view prefix) {
  if (title.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
  return title.substr(prefix.size());
}

}  // namespace

std::optional<TitleMessage> ParseTitleMessage(const std::string& title) {
  if (auto name = RestAfter(title, kLoggedInTitlePrefix)) return TitleMessage{*name, true};
  if (auto text = RestAfter(title, kLoggedOutTitlePrefix)) return TitleMessage{*text, false};
  return std::nullopt;
}

}  // namespace tamvelo::web
