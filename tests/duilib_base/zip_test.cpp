#include "duilib/UIZip.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/support/sample_data.h"

namespace tamvelo::test {
using namespace DuiLib;  // the code under test
namespace {

using tamvelo::test::Bytes;
using tamvelo::test::BuildZip;
using tamvelo::test::ZipItem;

std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Made once with Python's zlib (level 9, raw deflate): one dynamic-Huffman
// block holding DynamicSampleText().
const unsigned char kDynamicDeflate[] =
    "\x95\xd3\xdf\x0a\xc2\x20\x14\x06\xf0\xfb\x9e\x42\xbc\x8e\xe6\x71\x9b\xdb\x60\x75\x11\xbd\x43\xd7\xf6\x17"
    "\xa9\xe9\x68\x46\xd0\xd3\xb7\xb3\x41\x78\x51\x47\x44\xaf\xf4\xf0\x03\xe5\xfb\xda\xbd\xb1\x27\xf7\x62\x83"
    "\x79\x9f\xd7\x1c\x84\x14\x4b\xd5\x08\xce\x8e\xba\xf7\xc6\xd9\x35\x17\x4b\x5c\x95\xe0\x9b\x05\x63\xed\xf6"
    "\xe9\xbd\xb3\xcc\xea\x6e\x9c\x3e\x78\x3b\x4e\x5a\xf7\xe8\xf4\xdd\x74\xfa\x3a\x1e\x0d\x37\x63\xb3\xdd\xf9"
    "\xa2\x9f\x77\x9f\xe1\xfd\xaa\xb7\x57\xce\x7a\x37\xcc\x52\x8e\x9b\x67\x3f\x2d\x88\x58\x10\x58\x80\x58\x41"
    "\x60\x32\x82\xc9\x00\x93\x88\x95\x04\x96\x47\xb0\x3c\xc0\x72\xc4\x14\x81\x15\x11\xac\x08\xb0\x62\xfe\xfb"
    "\xff\x58\x19\xc1\xca\x00\x2b\x11\xab\x09\x4c\x45\x30\x15\x60\x0a\xb1\x86\xc0\xaa\x84\x64\x54\x88\x81\x20"
    "\xb4\x3a\x21\x1b\xf5\xa4\x01\xa1\x35\x09\xe1\x68\x26\x4d\x52\xb9\x15\x09\xf1\xc0\x57\x8e\x1e\xd9\x03\x48"
    "\x48\x08\x4c\x4d\x80\x6f\x15\xda\x6c\x2e\xf4\x66\xf1\x01";
const size_t kDynamicDeflateSize = sizeof kDynamicDeflate - 1;

std::string DynamicSampleText() {
  std::string text = "<Window size=\"1020,690\" caption=\"0,0,0,70\">\n";
  for (int i = 0; i < 12; ++i) {
    text += "  <Button name=\"btn" + std::to_string(i) + "\" normalimage=\"skin/Default/btn" + std::to_string(i % 7) +
            ".png\" pos=\"" + std::to_string(i * 10) + ",0," + std::to_string(i * 10 + 30) + ",30\"/>\n";
  }
  return text + "</Window>\n";
}

TEST(Inflate, DecodesStoredFixedAndDynamicBlocks) {
  std::vector<uint8_t> out;
  // Two stored blocks, the second one empty and last.
  const std::string stored("\x00\x05\x00\xfa\xff" "hello" "\x01\x00\x00\xff\xff", 15);
  ASSERT_TRUE(InflateRaw(Bytes(stored), stored.size(), out));
  EXPECT_EQ(AsString(out), "hello");

  // Fixed codes with matches that overlap their own output.
  const std::string text = "ab" + std::string(600, 'z') + "end" + std::string(4, '\xff');
  const std::string fixed = tamvelo::test::DeflateFixed(text);
  ASSERT_TRUE(InflateRaw(Bytes(fixed), fixed.size(), out));
  EXPECT_EQ(AsString(out), text);

  ASSERT_TRUE(InflateRaw(kDynamicDeflate, kDynamicDeflateSize, out));
  EXPECT_EQ(AsString(out), DynamicSampleText());
  EXPECT_EQ(DuiLib::Crc32(out.data(), out.size()), 0x7d3cfae4u);
}

TEST(Inflate, RejectsCorruptStreams) {
  std::vector<uint8_t> out;
  const std::string badLength("\x01\x05\x00\xfb\xff" "hello", 10);  // NLEN is not ~LEN
  EXPECT_FALSE(InflateRaw(Bytes(badLength), badLength.size(), out));
  const std::string shortStored("\x01\x05\x00\xfa\xff" "he", 7);
  EXPECT_FALSE(InflateRaw(Bytes(shortStored), shortStored.size(), out));
  const std::string reservedType("\x07", 1);
  EXPECT_FALSE(InflateRaw(Bytes(reservedType), reservedType.size(), out));
  EXPECT_FALSE(InflateRaw(nullptr, 0, out));
  // A match at the very start points before the output.
  const std::string backwards("\x03\x02", 2);  // fixed block: length 3 at distance 1, nothing before
  EXPECT_FALSE(InflateRaw(Bytes(backwards), backwards.size(), out));
  // A stream without its last block is truncated.
  const std::string notLast("\x00\x01\x00\xfe\xff" "x", 6);
  EXPECT_FALSE(InflateRaw(Bytes(notLast), notLast.size(), out));
}

TEST(Inflate, TruncationAndDamageFailCleanly) {
  std::vector<uint8_t> out;
  for (size_t n = 0; n < kDynamicDeflateSize; ++n) {
    EXPECT_FALSE(InflateRaw(kDynamicDeflate, n, out)) << n;
  }
  std::mt19937 random(99);
  std::vector<uint8_t> damaged(kDynamicDeflate, kDynamicDeflate + kDynamicDeflateSize);
  for (int round = 0; round < 2000; ++round) {
    std::vector<uint8_t> copy = damaged;
    copy[random() % copy.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
    InflateRaw(copy.data(), copy.size(), out, 4096);  // any result, never a crash
    EXPECT_LE(out.size(), 4096u);
  }
}

TEST(Inflate, OutputLimitIsEnforced) {
  const std::string bomb = tamvelo::test::DeflateFixed(std::string(100000, 'a'));
  std::vector<uint8_t> out;
  EXPECT_FALSE(InflateRaw(Bytes(bomb), bomb.size(), out, 1000));
  EXPECT_LE(out.size(), 1000u);
  EXPECT_TRUE(InflateRaw(Bytes(bomb), bomb.size(), out, 100000));
  EXPECT_EQ(out.size(), 100000u);
}

TEST(Zip, Crc32MatchesTheStandardCheckValue) {
  const std::string check = "123456789";
  EXPECT_EQ(DuiLib::Crc32(Bytes(check), check.size()), 0xCBF43926u);
  EXPECT_EQ(DuiLib::Crc32(nullptr, 0), 0u);
}

std::vector<ZipItem> SampleItems() {
  return {
      {"xml/main.xml", "<Window/>", false},
      {"skin/Default/Big.txt", std::string(5000, 'b') + "tail", true},
      {"res.xml", "<Res/>", true},
      {"empty.txt", "", false},
  };
}

TEST(Zip, ExtractsStoredAndDeflatedEntriesByFlexibleName) {
  const std::string bytes = BuildZip(SampleItems());
  CZipArchive zip;
  ASSERT_TRUE(zip.Open(Bytes(bytes), bytes.size()));
  EXPECT_EQ(zip.Names().size(), 4u);
  std::vector<uint8_t> out;
  ASSERT_TRUE(zip.Extract("xml//main.xml", out));
  EXPECT_EQ(AsString(out), "<Window/>");
  ASSERT_TRUE(zip.Extract("SKIN\\default\\big.TXT", out));
  EXPECT_EQ(AsString(out), std::string(5000, 'b') + "tail");
  ASSERT_TRUE(zip.Extract("/res.xml", out));
  EXPECT_EQ(AsString(out), "<Res/>");
  ASSERT_TRUE(zip.Extract("empty.txt", out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(zip.Contains("xml\\\\main.xml"));
  EXPECT_FALSE(zip.Contains("xml/main.xm"));
  EXPECT_FALSE(zip.Contains(nullptr));
  EXPECT_FALSE(zip.Extract("missing.png", out));
}

TEST(Zip, DoubleByteNamesMatchExactlyExceptAsciiCase) {
  // B0 41 ends in 'A' and 81 5C ends in '\\': neither may be folded or split.
  const std::string bytes = BuildZip({{"\xb0\x41/a\x81\x5c.png", "x", false}});
  CZipArchive zip;
  ASSERT_TRUE(zip.Open(Bytes(bytes), bytes.size()));
  EXPECT_TRUE(zip.Contains("\xb0\x41\\A\x81\x5c.PNG"));
  EXPECT_FALSE(zip.Contains("\xb0\x61/a\x81\x5c.png"));
  EXPECT_FALSE(zip.Contains("\xb0\x41/a\x81/.png"));
}

TEST(Zip, CorruptArchivesAreRejected) {
  const std::string good = BuildZip(SampleItems());
  CZipArchive zip;
  std::vector<uint8_t> out;
  // Truncated anywhere: either the directory is refused or no entry reads.
  for (size_t n = 0; n < good.size(); ++n) {
    if (zip.Open(Bytes(good), n)) {
      EXPECT_FALSE(zip.Extract("skin/Default/Big.txt", out)) << n;
    }
  }
  EXPECT_FALSE(zip.Open(nullptr, 100));
  EXPECT_FALSE(zip.IsOpen());

  const size_t directory = tamvelo::test::FindSignature(good, 0x02014b50);
  const size_t end = tamvelo::test::FindSignature(good, 0x06054b50);
  {  // wrong CRC of the first entry
    std::string bad = good;
    bad[directory + 16] ^= 0x01;
    ASSERT_TRUE(zip.Open(Bytes(bad), bad.size()));
    EXPECT_FALSE(zip.Extract("xml/main.xml", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(zip.Extract("res.xml", out));
  }
  // Damaged directory fields: refused at Open (no entry named) or when the
  // entry named is extracted.
  const size_t second = tamvelo::test::FindSignature(good, 0x02014b50, directory + 1);
  const struct {
    const char* what;
    size_t at;
    uint32_t value;
    const char* entry;
  } damages[] = {
      {"local header offset beyond the data", directory + 42, 0x7FFFFFFF, nullptr},
      {"local header offset at the wrong place", directory + 42, 3, "xml/main.xml"},
      {"directory offset past the end record", end + 16, static_cast<uint32_t>(good.size()), nullptr},
      {"compressed size past the data", directory + 20, 0xFFFFFFF0, "xml/main.xml"},
      {"uncompressed size the data does not fill", second + 24, 6000, "skin/Default/Big.txt"},
      {"unknown compression method", directory + 10, 12, "xml/main.xml"},
      {"no end record", end, 0x58585858, nullptr},
  };
  for (const auto& damage : damages) {
    std::string bad = good;
    tamvelo::test::Put32(bad, damage.at, damage.value);
    const bool opened = zip.Open(Bytes(bad), bad.size());
    EXPECT_EQ(opened, damage.entry != nullptr) << damage.what;
    if (opened) {
      EXPECT_FALSE(zip.Extract(damage.entry, out)) << damage.what;
    }
  }
}

// An archive's claimed size is what inflating an entry may take: a small
// archive must not make us allocate gigabytes.
TEST(Zip, EntriesLargerThanTheLimitAreRefused) {
  const std::string text = std::string(5000, 'b') + "tail";
  const std::string bytes = BuildZip({{"big.txt", text, true}, {"small.txt", "s", false}});
  CZipArchive zip;
  ASSERT_TRUE(zip.Open(Bytes(bytes), bytes.size()));
  std::vector<uint8_t> out;
  EXPECT_FALSE(zip.Extract("big.txt", out, text.size() - 1));
  EXPECT_TRUE(out.empty());
  ASSERT_TRUE(zip.Extract("big.txt", out, text.size()));
  EXPECT_EQ(AsString(out), text);
  EXPECT_TRUE(zip.Extract("small.txt", out, 1));
  // A claim of 4 GiB is refused before anything is inflated.
  std::string claimed = bytes;
  tamvelo::test::Put32(claimed, tamvelo::test::FindSignature(claimed, 0x02014b50) + 24, 0xFFFFFFFFu);
  ASSERT_TRUE(zip.Open(Bytes(claimed), claimed.size()));
  EXPECT_FALSE(zip.Extract("big.txt", out));
  EXPECT_GE(CZipArchive::kMaxEntryBytes, size_t{16} << 20);  // still room for any skin image
  EXPECT_LT(CZipArchive::kMaxEntryBytes, size_t{1} << 30);
}

TEST(Zip, EncryptedEntriesAreRefused) {
  const std::string bytes = BuildZip({{"secret.xml", "<a/>", false, 0x0001}, {"open.xml", "<b/>", false}});
  CZipArchive zip;
  ASSERT_TRUE(zip.Open(Bytes(bytes), bytes.size()));
  std::vector<uint8_t> out;
  EXPECT_TRUE(zip.Contains("secret.xml"));
  EXPECT_FALSE(zip.Extract("secret.xml", out));
  EXPECT_TRUE(zip.Extract("open.xml", out));
}

}  // namespace
}  // namespace tamvelo::test
