#include "box/net/md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

TEST(Md5, Rfc1321TestSuite) {
  const std::pair<std::string, std::string> suite[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
       "d174ab98d277d9f5a5611c2c9f419d9f"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& [message, digest] : suite) {
    EXPECT_EQ(Md5Hex(message.data(), message.size()), digest) << '"' << message << '"';
  }
}

TEST(Md5, PiecesOfAnySizeGiveTheOneShotDigest) {
  // Lengths around the padding and block boundaries, fed in uneven pieces.
  std::string data;
  for (int i = 0; i < 300; ++i) data += static_cast<char>(i * 37 + 11);
  for (size_t length : {55u, 56u, 57u, 63u, 64u, 65u, 119u, 120u, 128u, 300u}) {
    const std::string expected = Md5Hex(data.data(), length);
    for (size_t piece : {1u, 3u, 63u, 64u, 100u}) {
      Md5 md5;
      for (size_t at = 0; at < length; at += piece) {
        md5.Update(data.data() + at, std::min(piece, length - at));
      }
      uint8_t digest[Md5::kDigestBytes];
      md5.Final(digest);
      char hex[33];
      DigestToHex(digest, hex);
      EXPECT_EQ(hex, expected) << "length " << length << " piece " << piece;
    }
  }
}

}  // namespace
}  // namespace tamvelo::test
