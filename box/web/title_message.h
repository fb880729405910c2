// The portal's pages report the login state through their document title:
// "username:<name>" when logged in, "nologin:<text>" when not.
#pragma once

#include <optional>
#include <string>

namespace tamvelo::web {

inline constexpr char kLoggedInTitlePrefix[] = "username:";
inline constexpr char kLoggedOutTitlePrefix[] = "nologin:";

struct TitleMessage {
  std::string text;  // what the login button shows: the rest of the title
  bool loggedIn = false;
};

// title in the ANSI code page. The prefixes must stand at the very start,
// in exactly these letters; any other title is no message (nullopt).
std::optional<TitleMessage> ParseTitleMessage(const std::string& title);

}  // namespace tamvelo::web
