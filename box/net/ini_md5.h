// Whether a local file differs from the MD5 that version.ini announces for it.
#pragma once

namespace tamvelo::net {

inline constexpr int kFileDigestBufferBytes = 34;
inline constexpr int kAnnouncedDigestBufferBytes = 260;

// fileDigest (34 bytes) receives the file's MD5 text, announced (260 bytes)
// the "md5" of the section in the version file (the process-wide path),
// trimmed of blanks and lower-cased when valid. True only when the
// announced digest is valid (not "Error", more than 31 characters) and
// differs from the file's; a missing or empty file always differs.
bool IniMd5Differs(char* fileDigest, char* announced, const char* section, const char* filePath);

}  // namespace tamvelo::net
