#include "box/net/announced_values.h"

#include <gtest/gtest.h>

#include <string>

namespace tamvelo::test {
using namespace net;  // the code under test
namespace {

const std::string kDigest = "0123456789abcdef0123456789abcdef";

TEST(AnnouncedDigest, ValidAnnouncementsAreTrimmedAndCompareWithoutCase) {
  const DigestComparison same = CompareAnnouncedDigest("0123456789ABCDEF0123456789abcdef", "  " + kDigest + " ");
  EXPECT_FALSE(same.differs);
  EXPECT_EQ(same.fileDigest, kDigest);
  EXPECT_EQ(same.announced, kDigest);
  EXPECT_TRUE(CompareAnnouncedDigest("", kDigest).differs);  // missing or empty file
  EXPECT_TRUE(CompareAnnouncedDigest(kDigest, kDigest + "0").differs);
  // Blanks count towards the length that makes a value valid; trimmed, it
  // is a shorter digest that differs.
  EXPECT_TRUE(CompareAnnouncedDigest(kDigest, kDigest.substr(0, 30) + "  ").differs);
}

TEST(AnnouncedDigest, InvalidAnnouncementsNeverDifferAndStayAsRead) {
  for (const std::string& value : {std::string("Error"), std::string("eRROR"), std::string(""),
                                   kDigest.substr(0, 31), std::string(31, ' ')}) {
    const DigestComparison result = CompareAnnouncedDigest("", value);
    EXPECT_FALSE(result.differs) << '"' << value << '"';
    EXPECT_EQ(result.announced, value);
  }
  // Thirty-two blanks are valid and trim to nothing: an empty file matches.
  EXPECT_FALSE(CompareAnnouncedDigest("", std::string(32, ' ')).differs);
}

TEST(AnnouncedVersion, AboveTheProgramsVersionOnly) {
  EXPECT_TRUE(AnnouncesNewerVersion("1.1", 1.0f));
  EXPECT_TRUE(AnnouncesNewerVersion("2.0beta", 1.0f));  // read like atof
  EXPECT_FALSE(AnnouncesNewerVersion("1.0", 1.0f));
  EXPECT_FALSE(AnnouncesNewerVersion("0.9", 1.0f));
  EXPECT_FALSE(AnnouncesNewerVersion("1.00000001", 1.0f));  // rounds to 1.0 as a float
  EXPECT_FALSE(AnnouncesNewerVersion("9", 1.0f));           // fewer than 3 characters
  EXPECT_FALSE(AnnouncesNewerVersion("ERROR", 1.0f));
  EXPECT_FALSE(AnnouncesNewerVersion("abc", 1.0f));
}

}  // namespace
}  // namespace tamvelo::test
