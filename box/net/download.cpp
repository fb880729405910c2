#include "box/net/download.h"

#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "box/net/http_address.h"
#include "box/net/http_head.h"
#include "box/net/http_socket.h"
#include "box/net/net_hooks.h"

namespace tamvelo::net {

namespace {

constexpr char kCaption[] = "错误！";
constexpr char kCannotOpen[] = "无法打开此文件!\n";
constexpr char kServerClosed[] = "服务器已经关闭连接.";
constexpr char kReceiveTimedOut[] = "接收数据超时.";
constexpr char kWriteFailed[] = "文件写入错误！";

// The INI files fetched here are a few KB; a larger length is no such file
// and would only fill the disk.
constexpr long long kLargestBody = 4LL * 1024 * 1024;
// The download's temporary files: "tvd" and the system's hex number.
constexpr char kTemporaryPrefix[] = "tvd";
constexpr char kTemporaryPattern[] = "tvd*.tmp";
constexpr int kStatusOk = 200;
// Large passes: every receive is a call into the system, and 1 KB passes
// make a big body crawl.
constexpr int kReceiveBytes = 256 * 1024;
constexpr size_t kWriteBufferBytes = 256 * 1024;

std::string FolderOf(const std::string& path) {
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

// The download's own file beside the destination; deleted unless it has
// been moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& folder) {
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), kTemporaryPrefix, 0, name) == 0) return;
    path_ = name;
    file_ = std::fopen(name, "wb");
    if (file_) std::setvbuf(file_, nullptr, _IOFBF, kWriteBufferBytes);
  }
  ~TemporaryFile() {
    if (file_) std::fclose(file_);
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }
  bool Write(const char* bytes, size_t size) {
    return std::fwrite(bytes, 1, size, file_) == size;
  }
  // Puts the data on disk before the move, so that the new name never
  // points at a file whose content is still in flight.
  bool Finish() {
    const bool flushed = std::fflush(file_) == 0 && _commit(_fileno(file_)) == 0;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return flushed && closed;
  }
  bool MoveOver(const char* destination) {
    if (!MoveFileExA(path_.c_str(), destination,
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return false;
    }
    path_.clear();
    return true;
  }

 private:
  std::string path_;
  FILE* file_ = nullptr;
};

// A download cut off by the program's end leaves its temporary file:
// removed before the next one in the same folder. Only this thread writes
// such files, one download at a time.
void RemoveStaleTemporaryFiles(const std::string& folder) {
  const std::string prefix = folder.empty() ? std::string() : folder + "\\";
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((prefix + kTemporaryPattern).c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((prefix + entry.cFileName).c_str());
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

}  // namespace

bool DownloadFile(const char* address, const char* localPath) {
  const auto parts = SplitHttpAddress(address);
  if (!parts || !localPath || !*localPath) return false;

  // Each step reports its own failure (message box or refusal).
  // The deadline holds from the connect on: a portal that drops packets
  // would otherwise keep this thread for the system's whole connect wait
  // (about 21 s), and one that never answers for ever. The name look-up
  // before it is bounded only by the system resolver's own time-outs.
  CHttpSocket http;
  http.SetDeadline(GetTickCount64() + Hooks().downloadDeadlineMs);
  if (!http.BuildRequest(parts->authority.c_str(), parts->path.c_str(), nullptr) ||
      !http.OpenSocket() || !http.Connect(parts->hostName.c_str(), parts->port) ||
      !http.SetTimeout(Hooks().receiveTimeoutMs, kReceiveTimeout) ||
      !http.SetTimeout(Hooks().receiveTimeoutMs, kSendTimeout) || !http.SendRequest()) {
    return false;
  }
  // Only a complete, successful response with a known, sane length can
  // replace a good file: error pages and open-ended bodies are refused.
  const long long length = AnnouncedLength(http.ReadHeader(nullptr));
  if (!http.HeadComplete() || http.StatusCode() != kStatusOk || length < 0 || length > kLargestBody) {
    return false;
  }

  const std::string folder = FolderOf(localPath);
  if (!folder.empty() && _access(folder.c_str(), 0) != 0) {
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  RemoveStaleTemporaryFiles(folder);
  TemporaryFile temporary(folder);
  if (!temporary.IsOpen()) {
    ShowError(kCannotOpen, kCaption);
    return false;
  }

  std::vector<char> buffer(kReceiveBytes);
  long long received = 0;
  while (received < length) {
    const long long remaining = length - received;
    const int wanted = remaining < kReceiveBytes ? static_cast<int>(remaining) : kReceiveBytes;
    const int got = http.Receive(buffer.data(), wanted);
    if (got == 0) {
      ShowError(kServerClosed, kCaption);
      return false;
    }
    if (got < 0) {
      ShowError(kReceiveTimedOut, kCaption);
      return false;
    }
    if (!temporary.Write(buffer.data(), static_cast<size_t>(got))) {
      ShowError(kWriteFailed, kCaption);
      return false;
    }
    received += got;
  }
  http.CloseSocket();
  if (!temporary.Finish()) {
    ShowError(kWriteFailed, kCaption);
    return false;
  }
  if (!temporary.MoveOver(localPath)) {
    ShowError(kCannotOpen, kCaption);
    return false;
  }
  return true;
}

}  // namespace tamvelo::net
