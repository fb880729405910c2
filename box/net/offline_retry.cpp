#include "box/net/offline_retry.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace tamvelo::net {

namespace {

constexpr std::uint64_t kDelaysMs[] = {1000, 5000, 30000, 60000, 300000, 600000, 1800000};
constexpr int kDelayCount = static_cast<int>(std::size(kDelaysMs));

constexpr int kLowestNavigationStatus = 400;
constexpr int kHighestStatus = 999;

struct NetworkError {
  std::uint32_t status;
  FailureKind kind;
};

// What the browser reports when the page never arrived: the URL moniker's
// own errors, and WinINet's passed on as HRESULTs.
constexpr NetworkError kNetworkErrors[] = {
    {0x800C0003, FailureKind::NoConnection},  // INET_E_NO_SESSION
    {0x800C0004, FailureKind::NoConnection},  // INET_E_CANNOT_CONNECT
    {0x800C0005, FailureKind::NameNotFound},  // INET_E_RESOURCE_NOT_FOUND: server not found
    {0x800C0007, FailureKind::NoConnection},  // INET_E_DATA_NOT_AVAILABLE
    {0x800C0008, FailureKind::NoConnection},  // INET_E_DOWNLOAD_FAILURE: refused or unknown name
    {0x800C000B, FailureKind::TimedOut},      // INET_E_CONNECTION_TIMEOUT
    {0x80072EE2, FailureKind::TimedOut},      // ERROR_INTERNET_TIMEOUT
    {0x80072EE7, FailureKind::NameNotFound},  // ERROR_INTERNET_NAME_NOT_RESOLVED
    {0x80072EFD, FailureKind::NoConnection},  // ERROR_INTERNET_CANNOT_CONNECT
    {0x80072EFE, FailureKind::NoConnection},  // ERROR_INTERNET_CONNECTION_ABORTED
    {0x80072EFF, FailureKind::NoConnection},  // ERROR_INTERNET_CONNECTION_RESET
    {0x80072F83, FailureKind::NoConnection},  // ERROR_INTERNET_DISCONNECTED
};

bool IsClientError(const Failure& failure) {
  return failure.kind == FailureKind::HttpStatus && failure.status >= 400 && failure.status < 500;
}

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::optional<Failure> FailureOfNavigation(std::uint32_t status) {
  if (status >= kLowestNavigationStatus && status <= kHighestStatus) {
    return Failure{FailureKind::HttpStatus, static_cast<int>(status)};
  }
  for (const NetworkError& error : kNetworkErrors) {
    if (error.status == status) return Failure{error.kind, 0};
  }
  return std::nullopt;
}

std::optional<Failure> FailureOfStatus(int status) {
  if (status >= 200 && status < 300) return std::nullopt;
  return Failure{FailureKind::HttpStatus, status};
}

bool IsPortalPage(std::string_view address, std::string_view base) {
  if (base.empty() || address.size() < base.size() || !SameLetters(address.substr(0, base.size()), base)) {
    return false;
  }
  const std::string_view rest = address.substr(base.size());
  return rest.empty() || rest.front() == '/' || rest.front() == '?' || rest.front() == '#';
}

std::uint64_t RetryDelayMs(int tries) { return kDelaysMs[std::clamp(tries, 0, kDelayCount - 1)]; }

std::string ReasonText(const Failure& failure) {
  switch (failure.kind) {
    case FailureKind::NameNotFound:
      return "找不到游戏大厅的服务器地址";
    case FailureKind::TimedOut:
      return "游戏大厅的服务器没有及时响应";
    case FailureKind::HttpStatus:
      return "游戏大厅的服务器返回了错误（状态码 " + std::to_string(failure.status) + "）";
    case FailureKind::NoConnection:
      break;
  }
  return "无法建立网络连接，请检查网络是否正常";
}

void OfflineRetry::PageFailed(const Failure& failure, std::uint64_t now) {
  if (!shown_) {
    shown_ = true;
    tries_ = 0;
  }
  failure_ = failure;
  if (trying_) return;  // its answer decides what comes next
  if (IsClientError(failure)) {
    dueAt_.reset();
  } else if (!dueAt_) {
    Schedule(now);
  }
}

void OfflineRetry::SetInView(bool inView, std::uint64_t now) {
  if (inView == inView_) return;
  if (!inView) {
    pausedAt_ = now;
  } else if (dueAt_) {
    *dueAt_ += now - pausedAt_;
  }
  inView_ = inView;
}

bool OfflineRetry::RetryPressed() {
  if (!shown_) return false;
  tries_ = 0;
  dueAt_.reset();
  if (trying_) return false;
  trying_ = true;
  return true;
}

bool OfflineRetry::TakeDueTry(std::uint64_t now) {
  // Nothing waits while a try runs or without a page.
  if (!inView_ || !dueAt_ || now < *dueAt_) return false;
  dueAt_.reset();
  trying_ = true;
  tries_ = std::min(tries_ + 1, kDelayCount);
  return true;
}

void OfflineRetry::TryEnded(const std::optional<Failure>& failure, std::uint64_t now) {
  if (!trying_) return;
  trying_ = false;
  if (!failure) {
    shown_ = false;
    dueAt_.reset();
    return;
  }
  failure_ = *failure;
  if (!IsClientError(*failure)) Schedule(now);
}

std::optional<std::uint64_t> OfflineRetry::TimeToTry(std::uint64_t now) const {
  if (!dueAt_) return std::nullopt;
  // Out of view the clock stands where it stopped.
  const std::uint64_t counted = inView_ ? now : pausedAt_;
  return *dueAt_ > counted ? *dueAt_ - counted : 0;
}

std::string OfflineRetry::CountdownText(std::uint64_t now) const {
  if (trying_) return "正在重新连接游戏大厅…";
  const std::optional<std::uint64_t> left = TimeToTry(now);
  if (!left) return "请点击“重试”重新连接";
  const std::uint64_t seconds = std::max<std::uint64_t>(1, (*left + 999) / 1000);
  if (seconds < 60) return "将在 " + std::to_string(seconds) + " 秒后自动重试";
  return "将在 " + std::to_string((seconds + 59) / 60) + " 分钟后自动重试";
}

void OfflineRetry::Schedule(std::uint64_t now) {
  dueAt_ = now + RetryDelayMs(tries_);
  if (!inView_) pausedAt_ = now;
}

}  // namespace tamvelo::net
