// CDuiString: the toolkit's text type. ANSI: the bytes are in the system code
// page (936 for this program), so case changes step over double-byte
// characters and touch only single-byte ASCII letters.
#pragma once

#include <cstddef>
#include <string>

namespace DuiLib {

class CDuiString {
 public:
  CDuiString() = default;
  CDuiString(const char* s, int len = -1);  // NOLINT: implicit like the platform's strings
  explicit CDuiString(char c);
  CDuiString(const CDuiString&) = default;
  CDuiString(CDuiString&&) noexcept = default;
  ~CDuiString() = default;

  void Empty() { text_.clear(); }
  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  // Out-of-range positions read as '\0' and are ignored by SetAt.
  char GetAt(int index) const;
  void SetAt(int index, char c);
  void Append(const char* s);
  // len < 0: up to the terminator. A null pointer empties the text.
  void Assign(const char* s, int len = -1);
  const char* GetData() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }  // NOLINT
  char operator[](int index) const { return GetAt(index); }

  CDuiString& operator=(const CDuiString&) = default;
  CDuiString& operator=(CDuiString&&) noexcept = default;
  CDuiString& operator=(const char* s);
  CDuiString& operator=(char c);
  CDuiString& operator+=(const CDuiString& s);
  CDuiString& operator+=(const char* s);
  CDuiString& operator+=(char c);

  // strcmp-style results (<0, 0, >0). Null compares as "".
  int Compare(const char* s) const;
  // Ignores the case of ASCII letters only; double-byte characters compare exactly.
  int CompareNoCase(const char* s) const;

  void MakeUpper();
  void MakeLower();

  // Positions are byte offsets; out-of-range arguments are clamped.
  CDuiString Left(int len) const;
  CDuiString Mid(int pos, int len = -1) const;
  CDuiString Right(int len) const;

  // Byte offset of the first match at or after pos, or -1. A character search
  // never matches the trail byte of a double-byte character.
  int Find(char c, int pos = 0) const;
  int Find(const char* s, int pos = 0) const;
  int ReverseFind(char c) const;

  // Replaces every non-overlapping occurrence, left to right; returns the count.
  // An empty or null `from` replaces nothing.
  int Replace(const char* from, const char* to);

  // printf-style; any length. Returns the new length, or -1 when the format
  // is invalid (the text is then empty).
  int Format(const char* fmt, ...);

  // The standard string, for code that wants one.
  const std::string& str() const { return text_; }

 private:
  std::string text_;
};

CDuiString operator+(const CDuiString& a, const CDuiString& b);
CDuiString operator+(const CDuiString& a, const char* b);
CDuiString operator+(const char* a, const CDuiString& b);

bool operator==(const CDuiString& a, const CDuiString& b);
bool operator==(const CDuiString& a, const char* b);
bool operator==(const char* a, const CDuiString& b);
bool operator!=(const CDuiString& a, const CDuiString& b);
bool operator!=(const CDuiString& a, const char* b);
bool operator!=(const char* a, const CDuiString& b);
bool operator<(const CDuiString& a, const CDuiString& b);
bool operator<(const CDuiString& a, const char* b);
bool operator<=(const CDuiString& a, const CDuiString& b);
bool operator<=(const CDuiString& a, const char* b);
bool operator>(const CDuiString& a, const CDuiString& b);
bool operator>(const CDuiString& a, const char* b);
bool operator>=(const CDuiString& a, const CDuiString& b);
bool operator>=(const CDuiString& a, const char* b);

// Lowers ASCII letters in place, stepping over double-byte characters of the
// ANSI code page. Shared with the archive's name matching.
void LowerAsciiAnsi(std::string& text);

// UTF-8 (skin files, archive names) in the system's ANSI code page; text that
// cannot be converted comes back unchanged.
std::string Utf8ToAnsi(const std::string& utf8);

}  // namespace DuiLib
