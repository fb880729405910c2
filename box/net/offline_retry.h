// When the portal cannot be reached, the box shows a page of its own in
// place of the home page and tries the portal again by itself. These are the
// rules of that page: which failures bring it up, the reason it gives, and
// when the next try is due. Times are milliseconds of any steady clock,
// passed in, so that the rules need no browser, network or clock. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tamvelo::net {

enum class FailureKind {
  NoConnection,  // refused, reset, cut off, or no network at all
  NameNotFound,  // the portal's host name could not be resolved
  TimedOut,      // nothing came back in time
  HttpStatus,    // the portal answered, with a status other than 2xx
};

struct Failure {
  FailureKind kind = FailureKind::NoConnection;
  int status = 0;  // the HTTP status, for HttpStatus only
  bool operator==(const Failure& other) const { return kind == other.kind && status == other.status; }
};

// A failed navigation by the status the browser reports with it: an HTTP
// status of 400 to 999, or one of the network errors of the URL moniker or
// of WinINet. Nullopt for anything else, in particular 0x80040154 (class
// not registered), which a browser without its HTML engine reports for a
// page that did arrive.
std::optional<Failure> FailureOfNavigation(std::uint32_t status);

// A try's answer: 2xx reaches the portal (nullopt), any other status fails.
std::optional<Failure> FailureOfStatus(int status);

// Whether address is a page of the portal at base ("http://host[:port]"):
// it starts with base, in any letter case, followed by "/", "?", "#" or
// nothing. An empty base has no pages.
bool IsPortalPage(std::string_view address, std::string_view base);

// The wait before the next automatic try after `tries` of them since the
// delays last started: 1 s, 5 s, 30 s, 1 min, 5 min, 10 min, then 30 min.
std::uint64_t RetryDelayMs(int tries);

// The page's line of explanation, in the ANSI code page.
std::string ReasonText(const Failure& failure);

// The page's state. Automatic tries count down only while the page is in
// view, and a 4xx answer is never tried again by itself: only the user's
// "重试" does that. One try runs at a time.
class OfflineRetry {
 public:
  // A portal page failed in the browser: the page shows with this reason.
  // Shown already, it keeps its countdown, which only a 4xx reason stops.
  void PageFailed(const Failure& failure, std::uint64_t now);
  // Whether the page is in view; the countdown holds while it is not.
  void SetInView(bool inView, std::uint64_t now);
  // The user's "重试": the delays start from the beginning. True when a
  // try is to start now, false while one runs or the page is not shown.
  bool RetryPressed();
  // True when the automatic try is due; it then counts as running.
  bool TakeDueTry(std::uint64_t now);
  // The running try's answer: nullopt reached the portal and the page goes;
  // a failure keeps the page with its reason and starts the next delay.
  void TryEnded(const std::optional<Failure>& failure, std::uint64_t now);

  bool shown() const { return shown_; }
  bool trying() const { return trying_; }
  const Failure& failure() const { return failure_; }
  // Time left until the automatic try, nullopt when none is waiting (a try
  // runs, a 4xx answer, no page).
  std::optional<std::uint64_t> TimeToTry(std::uint64_t now) const;
  // The page's countdown line ("将在 30 秒后自动重试"), in the ANSI code page.
  std::string CountdownText(std::uint64_t now) const;

 private:
  void Schedule(std::uint64_t now);

  bool shown_ = false;
  bool trying_ = false;
  bool inView_ = false;
  Failure failure_;
  int tries_ = 0;  // automatic tries since the delays last started
  std::optional<std::uint64_t> dueAt_;
  std::uint64_t pausedAt_ = 0;  // when the page last went out of view
};

}  // namespace tamvelo::net
