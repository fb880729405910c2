#include <winsock2.h>  // before the windows.h of the header

#include "box/net/portal_try.h"

#include <process.h>

#include <memory>

#include "box/net/http_address.h"
#include "box/net/http_socket.h"

namespace tamvelo::net {

namespace {

constexpr LPARAM kReached = 0;
constexpr int kKindBits = 8;
constexpr LPARAM kKindMask = (1 << kKindBits) - 1;
constexpr LPARAM kHighestStatus = 999;

Failure FailureOfSocket(const CHttpSocket& http) {
  switch (http.FailedStep()) {
    case SocketStep::Resolve:
      return {FailureKind::NameNotFound, 0};
    case SocketStep::Connect:
      return {http.FailedError() == WSAETIMEDOUT ? FailureKind::TimedOut : FailureKind::NoConnection, 0};
    default:
      return {FailureKind::NoConnection, 0};
  }
}

// The kind counts from 1, so that 0 is left for an answer that reached the portal.
LPARAM AnswerParam(const std::optional<Failure>& failure) {
  if (!failure) return kReached;
  return (static_cast<LPARAM>(failure->kind) + 1) | (static_cast<LPARAM>(failure->status) << kKindBits);
}

struct TryRequest {
  HWND window;
  UINT message;
  WPARAM serial;
  std::string address;
};

unsigned __stdcall TryThread(void* argument) {
  const std::unique_ptr<TryRequest> request(static_cast<TryRequest*>(argument));
  const LPARAM answer = AnswerParam(TryPortal(request->address, kPortalTryMs));
  PostMessageA(request->window, request->message, request->serial, answer);
  return 0;
}

}  // namespace

std::optional<Failure> TryPortal(const std::string& address, DWORD limitMs) {
  const Failure noConnection{FailureKind::NoConnection, 0};
  // The fragment belongs to the browser; a server never sees it.
  const std::optional<HttpAddress> parts = SplitHttpAddress(address.substr(0, address.find('#')).c_str());
  if (!parts) return noConnection;
  const ULONGLONG deadline = GetTickCount64() + limitMs;
  CHttpSocket http;
  http.SetQuiet();
  http.SetDeadline(deadline);
  if (!http.BuildRequest(parts->authority.c_str(), parts->path.c_str(), nullptr)) return noConnection;
  if (!http.OpenSocket() || !http.Connect(parts->hostName.c_str(), parts->port) ||
      !http.SetTimeout(limitMs, kReceiveTimeout) || !http.SetTimeout(limitMs, kSendTimeout) ||
      !http.SendRequest()) {
    return FailureOfSocket(http);
  }
  // The status line is enough: a long head cut at the buffer still says it.
  const int status = http.StatusCode();
  if (status >= 0) return FailureOfStatus(status);
  return Failure{GetTickCount64() >= deadline ? FailureKind::TimedOut : FailureKind::NoConnection, 0};
}

bool StartPortalTry(HWND window, UINT message, WPARAM serial, const std::string& address) {
  auto request = std::make_unique<TryRequest>(TryRequest{window, message, serial, address});
  const uintptr_t thread = _beginthreadex(nullptr, 0, TryThread, request.get(), 0, nullptr);
  if (thread == 0) return false;
  request.release();  // the thread's now
  CloseHandle(reinterpret_cast<HANDLE>(thread));
  return true;
}

std::optional<Failure> ReadTryAnswer(LPARAM answer) {
  if (answer == kReached) return std::nullopt;
  const LPARAM status = answer >> kKindBits;
  switch (answer & kKindMask) {
    case static_cast<LPARAM>(FailureKind::NameNotFound) + 1:
      return Failure{FailureKind::NameNotFound, 0};
    case static_cast<LPARAM>(FailureKind::TimedOut) + 1:
      return Failure{FailureKind::TimedOut, 0};
    case static_cast<LPARAM>(FailureKind::HttpStatus) + 1:
      if (status >= 0 && status <= kHighestStatus) return Failure{FailureKind::HttpStatus, static_cast<int>(status)};
      break;
    default:
      break;
  }
  return Failure{FailureKind::NoConnection, 0};
}

}  // namespace tamvelo::net
