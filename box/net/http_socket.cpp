#include "box/net/http_socket.h"

#include <cstring>
#include <optional>

#include "box/net/net_hooks.h"

namespace tamvelo::net {

namespace {

constexpr char kCaption[] = "错误";

const char* FailureText(SocketStep step) {
  switch (step) {
    case SocketStep::Create: return "socket()函数执行失败!";
    case SocketStep::Resolve: return "gethostbyname()函数执行失败!";
    case SocketStep::Connect: return "connect()函数执行失败!";
    case SocketStep::Send: return "send()函数执行失败!";
    case SocketStep::SetOption: return "setsockopt()函数执行失败!";
    case SocketStep::Close: return "closesocket()函数执行失败!";
    case SocketStep::None: break;
  }
  return "";
}

// The protocol database's number for "tcp", or IPPROTO_TCP when the
// database has no entry: the number is fixed anyway.
int TcpProtocolNumber() {
  const protoent* entry = getprotobyname("tcp");
  return entry ? entry->p_proto : IPPROTO_TCP;
}

}  // namespace

CHttpSocket::CHttpSocket() = default;

CHttpSocket::~CHttpSocket() {
  CloseSocket();
  for (; winsockStarts_ > 0; --winsockStarts_) WSACleanup();
}

bool CHttpSocket::OpenSocket() {
  if (connected_) return false;
  // A socket left by a failed connect is replaced, not leaked.
  if (socket_ != 0 && !CloseSocket()) return false;
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) == 0) ++winsockStarts_;
  const SOCKET created = socket(AF_INET, SOCK_STREAM, TcpProtocolNumber());
  if (created == INVALID_SOCKET) return Fail(SocketStep::Create);
  socket_ = created;
  return true;
}

bool CHttpSocket::Connect(const char* host, unsigned short port) {
  if (!host) return false;
  if (connected_) CloseSocket();
  const hostent* entry = gethostbyname(host);
  if (!entry || entry->h_addrtype != AF_INET || entry->h_length != 4 || !entry->h_addr_list ||
      !entry->h_addr_list[0]) {
    return Fail(SocketStep::Resolve);
  }
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  std::memcpy(&address.sin_addr, entry->h_addr_list[0], 4);
  if (!ConnectTo(address)) return Fail(SocketStep::Connect);
  connected_ = TRUE;
  return true;
}

// Without a deadline the system's own wait applies; with one, the attempt
// runs without blocking and is given up when the deadline comes.
bool CHttpSocket::ConnectTo(const sockaddr_in& address) {
  const auto* target = reinterpret_cast<const sockaddr*>(&address);
  if (deadline_ == 0) return connect(socket_, target, sizeof address) != SOCKET_ERROR;
  u_long nonBlocking = 1;
  if (ioctlsocket(socket_, FIONBIO, &nonBlocking) == SOCKET_ERROR) return false;
  bool connected = connect(socket_, target, sizeof address) != SOCKET_ERROR;
  int error = connected ? 0 : WSAGetLastError();
  if (!connected && error == WSAEWOULDBLOCK) {
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG left = deadline_ > now ? deadline_ - now : 0;
    timeval wait = {static_cast<long>(left / 1000), static_cast<long>(left % 1000 * 1000)};
    fd_set writable, failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(socket_, &writable);
    FD_SET(socket_, &failed);
    // Ready either way: the socket's own error tells which.
    if (select(0, nullptr, &writable, &failed, &wait) > 0) {
      int size = sizeof error;
      if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0) {
        error = WSAGetLastError();
      }
      connected = error == 0;
    } else {
      error = WSAETIMEDOUT;
    }
  }
  u_long blocking = 0;
  ioctlsocket(socket_, FIONBIO, &blocking);
  if (!connected) WSASetLastError(error);
  return connected;
}

const char* CHttpSocket::BuildRequest(const char* host, const char* path, long* length,
                                      const char* cookie, const char* referer, long rangeStart,
                                      long rangeEnd) {
  const std::optional<size_t> built = BuildGetRequest(
      {host, path, cookie, referer, rangeStart, rangeEnd}, request_, sizeof request_);
  if (length) *length = built ? static_cast<long>(*built) : 0;
  return built ? request_ : nullptr;
}

bool CHttpSocket::SendRequest(const char* data, long length) {
  if (!connected_) return false;
  if (!data) data = request_;
  if (length <= 0) {
    length = static_cast<long>(data == request_ ? strnlen(request_, sizeof request_)
                                                : std::strlen(data));
  }
  if (length == 0) return false;
  if (send(socket_, data, static_cast<int>(length), 0) == SOCKET_ERROR) return Fail(SocketStep::Send);
  ReadHeader(nullptr);
  return true;
}

const char* CHttpSocket::ReadHeader(int* size) {
  if (!headReceived_ && connected_) {
    while (head_.Open() && !PastDeadline()) {
      char byte;
      if (recv(socket_, &byte, 1, 0) != 1) break;
      head_.Add(byte);
    }
    headReceived_ = TRUE;
  }
  if (size) *size = head_.Size();
  return head_.CString();
}

int CHttpSocket::HeaderField(const char* name, char* value, int valueSize) {
  if (!headReceived_) return -1;
  return net::HeaderField(head_.Text(), name, value, valueSize);
}

int CHttpSocket::Receive(char* buffer, int size) {
  if (!connected_ || !buffer || size <= 0) return 0;
  const int received = PastDeadline() ? SOCKET_ERROR : recv(socket_, buffer, size, 0);
  if (received > 0) return received;
  CloseSocket();
  return received == 0 ? 0 : -1;
}

bool CHttpSocket::SetTimeout(DWORD milliseconds, int kind) {
  const int option = kind == kReceiveTimeout ? SO_RCVTIMEO : SO_SNDTIMEO;
  if (setsockopt(socket_, SOL_SOCKET, option, reinterpret_cast<const char*>(&milliseconds),
                 sizeof milliseconds) == SOCKET_ERROR) {
    return Fail(SocketStep::SetOption);
  }
  return true;
}

bool CHttpSocket::CloseSocket() {
  if (socket_ != 0 && closesocket(socket_) == SOCKET_ERROR) return Fail(SocketStep::Close);
  socket_ = 0;
  connected_ = FALSE;
  return true;
}

bool CHttpSocket::Fail(SocketStep step) {
  failedStep_ = step;
  failedError_ = WSAGetLastError();
  if (!quiet_) ShowError(FailureText(step), kCaption);
  return false;
}

int CHttpSocket::StatusCode() const {
  return headReceived_ ? net::StatusCode(head_.Text()) : -1;
}

}  // namespace tamvelo::net
