// The copy-data records as bytes: how the senders lay them out and how the
// receivers read them.
#include "common/protocol_records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tamvelo::test {
using namespace protocol;  // the code under test
namespace {

const char* TextOf(const RecordBytes& record) { return record.bytes.data(); }

TEST(ProtocolGameRecordBytes, CookiesAndAddressInOneRecord) {
  const std::string cookies = "a=1; b=2";
  const auto querySize = static_cast<std::uint32_t>(cookies.size() + 1);  // size query counts the NUL
  const std::string address = "http://game.example/play?id=7";
  const RecordBytes record = GameRecordBytes(cookies, querySize, address);
  EXPECT_EQ(record.kind, CopyDataCookiesAndUrl);
  EXPECT_EQ(record.byteCount, querySize + address.size() + 2);
  EXPECT_STREQ(TextOf(record), "a=1; b=2||http://game.example/play?id=7");
  // The announced bytes are all inside the record, zero after the text.
  ASSERT_GE(record.bytes.size(), record.byteCount);
  for (size_t i = std::strlen(TextOf(record)); i < record.byteCount; ++i) EXPECT_EQ(record.bytes[i], '\0');
  EXPECT_EQ(ReadRecordText(record.bytes.data(), record.byteCount).value(),
            "a=1; b=2||http://game.example/play?id=7");
}

TEST(ProtocolGameRecordBytes, NoCookieOrShortCookieSendsTheAddressAlone) {
  const std::string address = "http://game.example/";
  const RecordBytes none = GameRecordBytes("", 0, address);
  EXPECT_EQ(none.kind, CopyDataUrl);
  EXPECT_EQ(none.byteCount, address.size() + 2);
  EXPECT_STREQ(TextOf(none), address.c_str());

  // Two bytes of cookie text are not enough; the count keeps the query size.
  const RecordBytes tiny = GameRecordBytes("a=", 3, address);
  EXPECT_EQ(tiny.kind, CopyDataUrl);
  EXPECT_EQ(tiny.byteCount, 3 + address.size() + 2);
  EXPECT_STREQ(TextOf(tiny), address.c_str());

  const RecordBytes three = GameRecordBytes("a=1", 4, address);
  EXPECT_EQ(three.kind, CopyDataCookiesAndUrl);

  // An empty address still gives a terminated record.
  const RecordBytes empty = GameRecordBytes("", 0, "");
  EXPECT_EQ(empty.byteCount, 2u);
  EXPECT_EQ(ReadRecordText(empty.bytes.data(), empty.byteCount).value(), "");
}

TEST(ProtocolWideRecordBytes, OpenTabAndTitle) {
  const RecordBytes open = OpenTabRecordBytes(u"http://x.example/");
  EXPECT_EQ(open.kind, CopyDataOpenTab);
  EXPECT_EQ(open.byteCount, 2u * (17 + 1));
  EXPECT_EQ(open.bytes.size(), open.byteCount);
  EXPECT_EQ(ReadRecordText16(open.bytes.data(), open.byteCount).value(), u"http://x.example/");

  const RecordBytes title = TabTitleRecordBytes(0x1234, u"\u6e38\u620f");
  EXPECT_EQ(title.kind, 0x1234u);
  EXPECT_EQ(title.byteCount, 6u);
  EXPECT_EQ(ReadRecordText16(title.bytes.data(), title.byteCount).value(), u"\u6e38\u620f");

  const RecordBytes empty = TabTitleRecordBytes(0x1234, u"");
  EXPECT_EQ(empty.byteCount, 2u);
  EXPECT_EQ(ReadRecordText16(empty.bytes.data(), empty.byteCount).value(), u"");

  // The kind is as wide as a handle: none of its bits is cut on 64-bit Windows.
  const RecordKind everyBit = ~RecordKind{0} - 0x10;
  EXPECT_EQ(TabTitleRecordBytes(everyBit, u"x").kind, everyBit);
}

// Records come from other processes: nothing past the byte count may be read.
TEST(ProtocolRecordBytesReader, StaysWithinTheByteCount) {
  // Unterminated: the text ends with the data.
  const char ansi[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(ReadRecordText(ansi, 3).value(), "abc");

  const char16_t wide[3] = {u'x', u'y', u'z'};
  EXPECT_EQ(ReadRecordText16(wide, 4).value(), u"xy");

  // An odd byte count: the half unit at the end is ignored.
  EXPECT_EQ(ReadRecordText16(wide, 5).value(), u"xy");
  EXPECT_EQ(ReadRecordText16(wide, 1).value(), u"");

  // A NUL inside the data ends the text early.
  const char embedded[6] = {'a', '\0', 'b', 'c', 'd', 'e'};
  EXPECT_EQ(ReadRecordText(embedded, 6).value(), "a");
  const char16_t wideEmbedded[3] = {u'p', u'\0', u'q'};
  EXPECT_EQ(ReadRecordText16(wideEmbedded, 6).value(), u"p");

  // The sender's buffer need not be aligned for UTF-16 units.
  const unsigned char shifted[7] = {0xff, 'h', 0, 'i', 0, 0, 0};
  EXPECT_EQ(ReadRecordText16(shifted + 1, 6).value(), u"hi");
}

TEST(ProtocolRecordBytesReader, NoDataGivesNothing) {
  const char bytes[2] = {'a', 'b'};
  EXPECT_FALSE(ReadRecordText(bytes, 0).has_value());
  EXPECT_FALSE(ReadRecordText16(bytes, 0).has_value());
  EXPECT_FALSE(ReadRecordText(nullptr, 10).has_value());
  EXPECT_FALSE(ReadRecordText16(nullptr, 10).has_value());
}

}  // namespace
}  // namespace tamvelo::test
