// What version.ini announces, judged apart from reading the files: the MD5
// of a file and the program version. Portable.
#pragma once

#include <string>

namespace tamvelo::net {

struct DigestComparison {
  std::string fileDigest;  // lower-cased
  std::string announced;   // trimmed of blanks and lower-cased when valid, else as read
  bool differs = false;
};

// fileDigest: the file's MD5 text ("" for a missing or empty file);
// announced: the "md5" value as read. It is valid when not absent ("Error"
// in any case) and at least 32 characters long; only a valid announcement
// can differ, and a missing or empty file always differs from it.
DigestComparison CompareAnnouncedDigest(const std::string& fileDigest, const std::string& announced);

// Whether a "mainver" value announces a version above the program's: not
// absent, at least 3 characters, converted like atof and rounded to float.
bool AnnouncesNewerVersion(const std::string& mainver, float programVersion);

}  // namespace tamvelo::net
