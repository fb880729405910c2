// Replaces the network code's message boxes and waits for one test: every
// box is recorded instead of shown and answered with a chosen button; the
// previous hooks come back at destruction.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "box/net/net_hooks.h"

namespace tamvelo::test {

struct RecordedMessage {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;
};

class MessageRecorder {
 public:
  explicit MessageRecorder(int answer = IDOK, DWORD receiveTimeoutMs = 10000);
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  std::vector<RecordedMessage> Messages() const;
  // The texts alone, in order.
  std::vector<std::string> Texts() const;
  void Clear();

 private:
  net::NetHooks saved_;
};

}  // namespace tamvelo::test
