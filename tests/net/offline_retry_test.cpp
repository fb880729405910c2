// The offline page's rules without a browser, network or clock: which
// failures bring the page, and when the portal is tried again.
#include "box/net/offline_retry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/text_literals.h"

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

const Failure kRefused{FailureKind::NoConnection, 0};

Failure Status(int status) { return {FailureKind::HttpStatus, status}; }

TEST(OfflineFailures, NavigationStatusesByClass) {
  struct Row {
    std::uint32_t status;
    std::optional<Failure> failure;
  } rows[] = {
      {0x800C0008, kRefused},                                  // what Wine gives for refused and unknown names
      {0x800C0004, kRefused},
      {0x80072EFD, kRefused},
      {0x800C0005, Failure{FailureKind::NameNotFound, 0}},
      {0x80072EE7, Failure{FailureKind::NameNotFound, 0}},
      {0x800C000B, Failure{FailureKind::TimedOut, 0}},
      {0x80072EE2, Failure{FailureKind::TimedOut, 0}},
      {400, Status(400)},
      {0x194, Status(404)},
      {503, Status(503)},
      {999, Status(999)},
      {0x80040154, std::nullopt},  // the missing HTML engine: the page did arrive
      {0x800C0010, std::nullopt},
      {0x800401E4, std::nullopt},
      {0x800C000E, std::nullopt},  // a certificate is no outage
      {0, std::nullopt},
      {302, std::nullopt},
      {399, std::nullopt},
      {1000, std::nullopt},
      {0xFFFFFFFF, std::nullopt},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(FailureOfNavigation(row.status), row.failure) << std::hex << row.status;
  }
}

TEST(OfflineFailures, OnlyTwoHundredsReachThePortal) {
  for (int status : {200, 204, 299}) EXPECT_EQ(FailureOfStatus(status), std::nullopt) << status;
  for (int status : {100, 199, 300, 302, 404, 503}) EXPECT_EQ(FailureOfStatus(status), Status(status)) << status;
}

TEST(OfflineFailures, EachClassHasItsReasonAndAStatusItsNumber) {
  const std::vector<std::string> reasons = {ReasonText(kRefused), ReasonText({FailureKind::NameNotFound, 0}),
                                            ReasonText({FailureKind::TimedOut, 0}), ReasonText(Status(503))};
  for (size_t i = 0; i < reasons.size(); ++i) {
    for (size_t j = i + 1; j < reasons.size(); ++j) EXPECT_NE(reasons[i], reasons[j]) << i << " " << j;
  }
  EXPECT_NE(reasons[3].find("503"), std::string::npos);
  EXPECT_EQ(ReasonText(Status(404)).find("503"), std::string::npos);
}

TEST(OfflineFailures, PortalPagesAreTheBaseAndWhatFollowsIt) {
  const std::string base = "http://127.0.0.1";
  for (const char* page : {"http://127.0.0.1/box/index.html", "http://127.0.0.1", "http://127.0.0.1/",
                           "http://127.0.0.1?a=1", "http://127.0.0.1#top", "HTTP://127.0.0.1/Box"}) {
    EXPECT_TRUE(IsPortalPage(page, base)) << page;
  }
  for (const char* other : {"http://127.0.0.1:8610/box", "http://127.0.0.10/", "http://127.0.0.1.other.net/",
                            "https://127.0.0.1/", "about:blank", "http://127.0.0", ""}) {
    EXPECT_FALSE(IsPortalPage(other, base)) << other;
  }
  EXPECT_FALSE(IsPortalPage("http://127.0.0.1/", ""));
}

TEST(OfflineRetryDelays, AsChromeHasThem) {
  const std::uint64_t expected[] = {1000, 5000, 30000, 60000, 300000, 600000, 1800000, 1800000};
  for (int tries = 0; tries < 8; ++tries) EXPECT_EQ(RetryDelayMs(tries), expected[tries]) << tries;
  EXPECT_EQ(RetryDelayMs(INT_MAX), 1800000u);
  EXPECT_EQ(RetryDelayMs(-1), 1000u);
}

// A page in view from time 0 that has made `tries` automatic tries, each
// failing the moment it started; `now` is when the last one failed.
struct Retried {
  explicit Retried(int tries, const Failure& failure = kRefused) {
    rules.SetInView(true, 0);
    rules.PageFailed(failure, 0);
    for (int i = 0; i < tries; ++i) {
      now += *rules.TimeToTry(now);
      EXPECT_TRUE(rules.TakeDueTry(now)) << i;
      rules.TryEnded(kRefused, now);
    }
  }
  OfflineRetry rules;
  std::uint64_t now = 0;
};

TEST(OfflineRetryRules, EachAutomaticTryWaitsItsDelayAndOneRunsAtATime) {
  Retried page(0);
  for (int tries = 0; tries < 8; ++tries) {
    const std::uint64_t delay = RetryDelayMs(tries);
    EXPECT_EQ(page.rules.TimeToTry(page.now), delay) << tries;
    EXPECT_FALSE(page.rules.TakeDueTry(page.now + delay - 1)) << tries;
    ASSERT_TRUE(page.rules.TakeDueTry(page.now + delay)) << tries;
    EXPECT_TRUE(page.rules.trying());
    EXPECT_EQ(page.rules.TimeToTry(page.now + delay), std::nullopt);
    EXPECT_FALSE(page.rules.TakeDueTry(page.now + 10 * delay)) << "the try still runs";
    page.now += delay + 700;  // the answer took its time
    page.rules.TryEnded(Failure{FailureKind::TimedOut, 0}, page.now);
    EXPECT_TRUE(page.rules.shown());
    EXPECT_EQ(page.rules.failure(), (Failure{FailureKind::TimedOut, 0}));
  }
}

TEST(OfflineRetryRules, ReachingThePortalEndsThePageAndTheNextFailureStartsAgain) {
  Retried page(3);
  ASSERT_TRUE(page.rules.TakeDueTry(page.now + RetryDelayMs(3)));
  page.rules.TryEnded(std::nullopt, page.now + RetryDelayMs(3));
  EXPECT_FALSE(page.rules.shown());
  EXPECT_EQ(page.rules.TimeToTry(page.now), std::nullopt);
  EXPECT_FALSE(page.rules.RetryPressed()) << "no page, nothing to retry";

  page.rules.PageFailed(kRefused, 1000000);
  EXPECT_TRUE(page.rules.shown());
  EXPECT_EQ(page.rules.TimeToTry(1000000), RetryDelayMs(0));
}

TEST(OfflineRetryRules, RetryTriesAtOnceAndStartsTheDelaysAgain) {
  Retried page(4);  // the next would wait 5 min
  ASSERT_TRUE(page.rules.RetryPressed());
  EXPECT_TRUE(page.rules.trying());
  page.rules.TryEnded(Status(503), page.now + 100);
  EXPECT_EQ(page.rules.failure(), Status(503));
  EXPECT_EQ(page.rules.TimeToTry(page.now + 100), RetryDelayMs(0));
  ASSERT_TRUE(page.rules.TakeDueTry(page.now + 100 + RetryDelayMs(0)));
  page.rules.TryEnded(kRefused, page.now + 2000);
  EXPECT_EQ(page.rules.TimeToTry(page.now + 2000), RetryDelayMs(1));

  // Pressed while a try runs: no second try, but its answer starts the delays again.
  Retried busy(4);
  ASSERT_TRUE(busy.rules.TakeDueTry(busy.now + RetryDelayMs(4)));
  EXPECT_FALSE(busy.rules.RetryPressed());
  busy.rules.TryEnded(kRefused, busy.now);
  EXPECT_EQ(busy.rules.TimeToTry(busy.now), RetryDelayMs(0));
}

TEST(OfflineRetryRules, ClientErrorsWaitForTheUserAndOtherAnswersDoNot) {
  struct Row {
    Failure answer;
    bool automatic;
  } rows[] = {{Status(400), false}, {Status(404), false}, {Status(499), false}, {Status(500), true},
              {Status(503), true},  {Status(302), true},  {kRefused, true}};
  for (const Row& row : rows) {
    Retried page(1);
    ASSERT_TRUE(page.rules.TakeDueTry(page.now + RetryDelayMs(1)));
    page.rules.TryEnded(row.answer, page.now);
    EXPECT_EQ(page.rules.TimeToTry(page.now).has_value(), row.automatic) << row.answer.status;
    EXPECT_EQ(page.rules.TakeDueTry(page.now + 24 * 3600 * 1000), row.automatic) << row.answer.status;
  }

  // The browser's own 404 brings the page without a countdown; a network
  // failure after it starts one, and the user can always try.
  OfflineRetry rules;
  rules.SetInView(true, 0);
  rules.PageFailed(Status(404), 0);
  EXPECT_TRUE(rules.shown());
  EXPECT_EQ(rules.TimeToTry(0), std::nullopt);
  EXPECT_EQ(rules.CountdownText(0), Utf8ToAnsi(u8"请点击“重试”重新连接"));
  rules.PageFailed(kRefused, 50);
  EXPECT_EQ(rules.TimeToTry(50), RetryDelayMs(0));
  rules.PageFailed(Status(404), 60);
  EXPECT_EQ(rules.TimeToTry(60), std::nullopt);
  EXPECT_TRUE(rules.RetryPressed());
}

TEST(OfflineRetryRules, AFurtherPageFailureKeepsTheCountdown) {
  Retried page(2);  // 30 s to go
  page.rules.PageFailed(Failure{FailureKind::NameNotFound, 0}, page.now + 10000);
  EXPECT_EQ(page.rules.failure(), (Failure{FailureKind::NameNotFound, 0}));
  EXPECT_EQ(page.rules.TimeToTry(page.now + 10000), RetryDelayMs(2) - 10000);
}

TEST(OfflineRetryRules, TheCountdownHoldsWhileThePageIsOutOfView) {
  OfflineRetry rules;
  rules.SetInView(true, 0);
  rules.PageFailed(kRefused, 0);
  rules.SetInView(false, 400);
  EXPECT_EQ(rules.TimeToTry(10000), 600u);
  EXPECT_FALSE(rules.TakeDueTry(10000));
  rules.SetInView(true, 10000);
  EXPECT_FALSE(rules.TakeDueTry(10599));
  EXPECT_TRUE(rules.TakeDueTry(10600));

  // A delay that starts out of view waits whole until the page is seen.
  rules.SetInView(false, 11000);
  rules.TryEnded(kRefused, 12000);
  EXPECT_EQ(rules.TimeToTry(50000), RetryDelayMs(1));
  rules.SetInView(true, 60000);
  EXPECT_FALSE(rules.TakeDueTry(60000 + RetryDelayMs(1) - 1));
  EXPECT_TRUE(rules.TakeDueTry(60000 + RetryDelayMs(1)));

  // A page that never was in view tries nothing.
  OfflineRetry unseen;
  unseen.PageFailed(kRefused, 0);
  EXPECT_FALSE(unseen.TakeDueTry(24 * 3600 * 1000));
}

TEST(OfflineRetryRules, TheCountdownLineInSecondsThenMinutes) {
  struct Row {
    int tries;
    std::uint64_t elapsed;
    const char* text;
  } rows[] = {
      {0, 0, u8"将在 1 秒后自动重试"},       {0, 999, u8"将在 1 秒后自动重试"},
      {2, 0, u8"将在 30 秒后自动重试"},      {2, 1, u8"将在 30 秒后自动重试"},
      {2, 1000, u8"将在 29 秒后自动重试"},   {3, 0, u8"将在 1 分钟后自动重试"},
      {3, 999, u8"将在 1 分钟后自动重试"},   {3, 1000, u8"将在 59 秒后自动重试"},
      {4, 59999, u8"将在 5 分钟后自动重试"}, {4, 60000, u8"将在 4 分钟后自动重试"},
      {6, 0, u8"将在 30 分钟后自动重试"},
  };
  for (const Row& row : rows) {
    Retried page(row.tries);
    EXPECT_EQ(page.rules.CountdownText(page.now + row.elapsed), Utf8ToAnsi(row.text))
        << row.tries << " " << row.elapsed;
  }
  Retried page(1);
  ASSERT_TRUE(page.rules.TakeDueTry(page.now + RetryDelayMs(1)));
  EXPECT_EQ(page.rules.CountdownText(page.now), Utf8ToAnsi(u8"正在重新连接游戏大厅…"));
}

}  // namespace
}  // namespace tamvelo::test
