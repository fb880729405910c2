#include "tests/net/message_recorder.h"

#include <mutex>

namespace tamvelo::test {

namespace {

std::mutex recordMutex;
std::vector<RecordedMessage> recorded;
int chosenAnswer = IDOK;

int WINAPI RecordMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT flags) {
  std::lock_guard<std::mutex> lock(recordMutex);
  recorded.push_back({owner, text ? text : "", caption ? caption : "", flags});
  return chosenAnswer;
}

}  // namespace

MessageRecorder::MessageRecorder(int answer, DWORD receiveTimeoutMs) : saved_(net::Hooks()) {
  std::lock_guard<std::mutex> lock(recordMutex);
  recorded.clear();
  chosenAnswer = answer;
  net::Hooks().messageBox = RecordMessage;
  net::Hooks().receiveTimeoutMs = receiveTimeoutMs;
  net::Hooks().startDelayMs = 0;
}

MessageRecorder::~MessageRecorder() { net::Hooks() = saved_; }

std::vector<RecordedMessage> MessageRecorder::Messages() const {
  std::lock_guard<std::mutex> lock(recordMutex);
  return recorded;
}

void MessageRecorder::Clear() {
  std::lock_guard<std::mutex> lock(recordMutex);
  recorded.clear();
}

std::vector<std::string> MessageRecorder::Texts() const {
  std::vector<std::string> texts;
  for (const auto& message : Messages()) texts.push_back(message.text);
  return texts;
}

}  // namespace tamvelo::test
