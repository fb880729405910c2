// One try of the portal for the offline page: a GET of the address that
// failed, with the box's own HTTP client and no message box, bounded in
// time, on a thread of its own that posts the answer to a window, so that
// the user-interface thread never waits for the network.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "box/net/offline_retry.h"

namespace tamvelo::net {

// The time a try gets for connecting and for the answer's head. A portal
// that is up answers in far less.
inline constexpr DWORD kPortalTryMs = 10000;

// Blocking. Nullopt when the portal answered with 2xx, else why not. The
// connection and the answer's head end after limitMs; the name lookup
// takes as long as the system's resolver does. An address that the client
// cannot fetch (it takes "http://host[:port]/path") counts as no connection.
std::optional<Failure> TryPortal(const std::string& address, DWORD limitMs);

// Runs TryPortal with kPortalTryMs on a new thread, which then posts
// `message` to `window` with `serial` as wParam and the answer as lParam
// (ReadTryAnswer). False, and no message, when no thread could start.
bool StartPortalTry(HWND window, UINT message, WPARAM serial, const std::string& address);

// The answer in a posted lParam. Anyone can post to a window: values that
// no try sends read as no connection.
std::optional<Failure> ReadTryAnswer(LPARAM answer);

}  // namespace tamvelo::net
