// A minimal HTTP/1.1 client over one blocking TCP socket: one GET per object.
// It builds the request head in a fixed buffer, reads the response head one
// byte at a time (so that no body byte is taken early), looks up header
// fields and then hands out the body in raw chunks. Every failing socket
// call is reported at once with a message box (caption "错误"), unless the
// caller reports failures itself (SetQuiet).
#pragma once

#include <winsock2.h>
#include <windows.h>

#include "box/net/http_head.h"

namespace tamvelo::net {

// SetTimeout kinds.
inline constexpr int kReceiveTimeout = 0;
inline constexpr int kSendTimeout = 1;

// The call that failed, for callers that report failures themselves.
enum class SocketStep { None, Create, Resolve, Connect, Send, SetOption, Close };

class CHttpSocket {
 public:
  CHttpSocket();
  virtual ~CHttpSocket();
  CHttpSocket(const CHttpSocket&) = delete;
  CHttpSocket& operator=(const CHttpSocket&) = delete;

  // Starts Windows Sockets 2.2 and creates the socket. False when already
  // connected (nothing done) or when no socket can be made.
  bool OpenSocket();

  // Resolves the host (name or dotted IPv4 address), takes its first
  // address and connects to the port. A connected object is closed first,
  // so OpenSocket must come again before the next Connect.
  bool Connect(const char* host, unsigned short port);

  // Builds the GET request head and stores its length in *length. host and
  // path are required, the path begins with "/"; cookie and referer may be
  // null. A Range line is added only for rangeStart > 0, its end only when
  // greater than the start. A request that would not fit the 1,024-byte
  // buffer (with its terminating zero) or whose pieces hold CR or LF is
  // refused: the head stays empty, *length is 0 and the result is null.
  const char* BuildRequest(const char* host, const char* path, long* length,
                           const char* cookie = nullptr, const char* referer = nullptr,
                           long rangeStart = 0, long rangeEnd = 0);

  // Sends data (null: the built request head) in one send call; length 0
  // means the length of that text. Not connected or nothing to send: false,
  // silently. On success the response head is read before returning.
  bool SendRequest(const char* data = nullptr, long length = 0);

  // Reads the response head on the first call after connecting: one byte
  // per receive until CR LF CR LF, 1,024 bytes, the peer closing or a
  // receive error, whichever comes first; what arrived is kept. Later calls
  // give what was stored. *size (may be null) receives the byte count.
  const char* ReadHeader(int* size);

  // Value of the first occurrence of name (case-sensitive substring of the
  // head, status line included): it starts 2 bytes after the name and ends
  // before the next CR LF. Copies at most valueSize - 1 bytes plus a zero
  // and returns the value's whole length; -1 when not found or no head.
  int HeaderField(const char* name, char* value, int valueSize);

  // One receive of up to size bytes: the count, 0 when the peer closed or
  // not connected, -1 on an error (a time-out included). 0 and -1 close.
  int Receive(char* buffer, int size);

  // kind kReceiveTimeout sets the receive time-out, any other the send one.
  bool SetTimeout(DWORD milliseconds, int kind);

  // A moment (GetTickCount64) after which the head read stops and Receive
  // fails as on a time-out: a peer that trickles bytes cannot hold the
  // connection for longer. Set before Connect, it also ends a connection
  // attempt that is still waiting then (error WSAETIMEDOUT). 0, the
  // default, sets none.
  void SetDeadline(ULONGLONG tick) { deadline_ = tick; }

  // No message boxes: the last failure is kept for the caller instead, as
  // the call that failed and the system's error code.
  void SetQuiet() { quiet_ = true; }
  SocketStep FailedStep() const { return failedStep_; }
  int FailedError() const { return failedError_; }

  bool CloseSocket();

  // For callers that check the response: whether the head ended with its
  // blank line, and the status code of the status line (-1 when there is
  // no well-formed status line).
  bool HeadComplete() const { return head_.Complete(); }
  int StatusCode() const;

 private:
  bool PastDeadline() const { return deadline_ != 0 && GetTickCount64() >= deadline_; }
  bool ConnectTo(const sockaddr_in& address);
  // Keeps the failure and reports it unless quiet; always false.
  bool Fail(SocketStep step);

  char request_[kHttpBufferBytes] = {};
  ResponseHead head_;
  BOOL connected_ = FALSE;
  SOCKET socket_ = 0;
  BOOL headReceived_ = FALSE;
  ULONGLONG deadline_ = 0;
  bool quiet_ = false;
  SocketStep failedStep_ = SocketStep::None;
  int failedError_ = 0;
  int winsockStarts_ = 0;  // each balanced by a cleanup in the destructor
};

}  // namespace tamvelo::net
