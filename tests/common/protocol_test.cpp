#include "common/protocol.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tamvelo::test {
using namespace protocol;  // the code under test
namespace {

TEST(ProtocolNames, ClassNamesFitTheLookupBuffer) {
  for (const char* name : {kMainWindowClass, kHostWindowClass, kTabWindowClass})
    EXPECT_LT(std::strlen(name), static_cast<size_t>(kClassNameBufferChars)) << name;
  EXPECT_EQ(TabCommandLine(kTabModeToken), "tamvelo-tab.exe 1_tamvelo_1_tab");
  EXPECT_EQ(TabCommandLine(kWaitModeToken), "tamvelo-tab.exe 1_tamvelo_1_tag");
  EXPECT_LT(TabCommandLine(kWaitModeToken).size(), kCommandLineBufferBytes);
}

TEST(ProtocolCommandLine, WaitTokenAnywhereAfterTheFirstBlank) {
  EXPECT_TRUE(IsWaitModeCommandLine(L"tamvelo-tab.exe 1_tamvelo_1_tag"));
  EXPECT_TRUE(IsWaitModeCommandLine(L"x other-text1_tamvelo_1_tagmore"));
  EXPECT_FALSE(IsWaitModeCommandLine(L"tamvelo-tab.exe 1_tamvelo_1_tab"));
  // Before the first blank does not count, nor a missing argument.
  EXPECT_FALSE(IsWaitModeCommandLine(L"1_tamvelo_1_tag"));
  EXPECT_FALSE(IsWaitModeCommandLine(L"1_tamvelo_1_tag.exe"));
  EXPECT_FALSE(IsWaitModeCommandLine(L""));
  EXPECT_FALSE(IsWaitModeCommandLine(nullptr));
}

// The layouts are tested in protocol_records_test.cpp: a record to send
// carries those bytes and announces their count.
TEST(ProtocolGameRecord, CarriesTheLaidOutBytes) {
  const std::string address = "http://game.example/play?id=7";
  for (const std::string cookies : {"a=1; b=2", ""}) {
    SCOPED_TRACE(cookies);
    const DWORD querySize = static_cast<DWORD>(cookies.empty() ? 0 : cookies.size() + 1);
    const RecordBytes expected = GameRecordBytes(cookies, querySize, address);
    CopyDataRecord record = MakeGameRecord(cookies, querySize, address);
    EXPECT_EQ(record.kind(), expected.kind);
    EXPECT_EQ(record.byteCount(), expected.byteCount);
    EXPECT_EQ(record.bytes(), expected.bytes);
    EXPECT_EQ(record.Get()->lpData, record.bytes().data());
    EXPECT_EQ(record.Get()->cbData, record.byteCount());
  }
  EXPECT_EQ(MakeGameRecord("a=1", 4, address).kind(), CopyDataCookiesAndUrl);
  EXPECT_EQ(MakeGameRecord("", 0, address).kind(), CopyDataUrl);
}

TEST(ProtocolGameRecord, SurvivesMoves) {
  CopyDataRecord first = MakeGameRecord("", 0, "http://a.example/");
  CopyDataRecord moved = std::move(first);
  EXPECT_STREQ(static_cast<const char*>(moved.Get()->lpData), "http://a.example/");
  EXPECT_EQ(moved.Get()->lpData, moved.bytes().data());
}

TEST(ProtocolWideRecords, OpenTabAndTitle) {
  CopyDataRecord open = MakeOpenTabRecord(L"http://x.example/");
  EXPECT_EQ(open.kind(), CopyDataOpenTab);
  EXPECT_EQ(open.byteCount(), 2 * (17 + 1));
  EXPECT_EQ(ReadRecordTextW(open.Get()).value(), L"http://x.example/");

  HWND host = reinterpret_cast<HWND>(0x1234);
  CopyDataRecord title = MakeTabTitleRecord(host, L"\u6e38\u620f");
  EXPECT_EQ(title.kind(), 0x1234u);
  EXPECT_EQ(title.byteCount(), 6u);
  EXPECT_EQ(ReadRecordTextW(title.Get()).value(), L"\u6e38\u620f");

  CopyDataRecord empty = MakeTabTitleRecord(host, L"");
  EXPECT_EQ(empty.byteCount(), 2u);
  EXPECT_EQ(ReadRecordTextW(empty.Get()).value(), L"");

  // The kind is as wide as a handle: none of its bits is cut on 64-bit Windows.
  const ULONG_PTR everyBit = ~ULONG_PTR{0} - 0x10;
  EXPECT_EQ(MakeTabTitleRecord(reinterpret_cast<HWND>(everyBit), L"x").kind(), everyBit);
}

TEST(ProtocolActivate, CarriesNoData) {
  const COPYDATASTRUCT record = MakeActivateRecord();
  EXPECT_EQ(record.dwData, 1u);
  EXPECT_EQ(record.cbData, 1u);
  EXPECT_EQ(record.lpData, nullptr);
  EXPECT_FALSE(ReadRecordText(&record).has_value());
  EXPECT_FALSE(ReadRecordTextW(&record).has_value());
}

// Records come from other processes: nothing past cbData may be read.
TEST(ProtocolReader, StaysWithinTheByteCount) {
  // Unterminated: the text ends with the data.
  char ansi[4] = {'a', 'b', 'c', 'd'};
  COPYDATASTRUCT record{2, 3, ansi};
  EXPECT_EQ(ReadRecordText(&record).value(), "abc");

  wchar_t wide[3] = {L'x', L'y', L'z'};
  COPYDATASTRUCT wideRecord{0, 4, wide};
  EXPECT_EQ(ReadRecordTextW(&wideRecord).value(), L"xy");

  // An odd byte count: the half unit at the end is ignored.
  COPYDATASTRUCT odd{0, 5, wide};
  EXPECT_EQ(ReadRecordTextW(&odd).value(), L"xy");
  COPYDATASTRUCT oneByte{0, 1, wide};
  EXPECT_EQ(ReadRecordTextW(&oneByte).value(), L"");

  // A NUL inside the data ends the text early.
  char embedded[6] = {'a', '\0', 'b', 'c', 'd', 'e'};
  COPYDATASTRUCT early{1, 6, embedded};
  EXPECT_EQ(ReadRecordText(&early).value(), "a");
}

TEST(ProtocolReader, NoDataGivesNothing) {
  char bytes[2] = {'a', 'b'};
  COPYDATASTRUCT zero{1, 0, bytes};
  EXPECT_FALSE(ReadRecordText(&zero).has_value());
  EXPECT_FALSE(ReadRecordTextW(&zero).has_value());
  COPYDATASTRUCT null{0, 10, nullptr};
  EXPECT_FALSE(ReadRecordText(&null).has_value());
  EXPECT_FALSE(ReadRecordTextW(&null).has_value());
  EXPECT_FALSE(ReadRecordText(nullptr).has_value());
}

// The real path: a record sent between windows arrives with exactly cbData bytes.
struct Received {
  std::optional<std::wstring> text;
  ULONG_PTR kind = 99;
};
Received received;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    received.kind = record->dwData;
    received.text = ReadRecordTextW(record);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ProtocolReader, ReadsARecordSentThroughAWindow) {
  WNDCLASSW wc{};
  wc.lpszClassName = L"TamveloProtocolTestReceiver";
  wc.lpfnWndProc = ReceiverProc;
  RegisterClassW(&wc);
  HWND window = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);

  wchar_t unterminated[4] = {L'a', L'b', L'c', L'd'};
  COPYDATASTRUCT record{7, 6, unterminated};
  SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
  EXPECT_EQ(received.kind, 7u);
  EXPECT_EQ(received.text.value(), L"abc");

  COPYDATASTRUCT activate = MakeActivateRecord();
  SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&activate));
  EXPECT_EQ(received.kind, 1u);
  EXPECT_FALSE(received.text.has_value());
  DestroyWindow(window);
}

}  // namespace
}  // namespace tamvelo::test
