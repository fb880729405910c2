// Byte 0 picks the value: 0 a stored hotkey, 1 an announced digest (the
// file's digest, a line feed, the announcement), 2 an announced version.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "box/net/announced_values.h"
#include "box/prefs/hotkey_text.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsLowerCase(const std::string& text) {
  for (char c : text) {
    if (std::isupper(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

void StoredHotKey(const std::string& text) {
  using namespace tamvelo::prefs;
  const auto value = ParseStoredHotKey(text);
  if (!value) return;
  Check(value->keyCode != 0);
  // What is stored again reads back as the same key.
  Check(ParseStoredHotKey(StoredHotKeyText(*value)) == value);
}

void AnnouncedDigest(const std::string& text) {
  const size_t split = text.find('\n');
  const std::string file = text.substr(0, split);
  const std::string announced = split == std::string::npos ? std::string() : text.substr(split + 1);
  const tamvelo::net::DigestComparison result = tamvelo::net::CompareAnnouncedDigest(file, announced);
  Check(IsLowerCase(result.fileDigest) && result.fileDigest.size() == file.size());
  Check(result.announced.size() <= announced.size());
  if (result.differs) Check(result.fileDigest != result.announced && IsLowerCase(result.announced));
}

// Told apart by the rule itself, not by the code under test: a newer
// version is a text of three characters or more, not the absent marker,
// whose value as a float is above the program's.
void AnnouncedVersion(const std::string& text) {
  const bool newer = text.size() >= 3 && text != "Error" && static_cast<float>(std::atof(text.c_str())) > 1.0f;
  Check(tamvelo::net::AnnouncesNewerVersion(text, 1.0f) == newer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 3) {
    case 0: StoredHotKey(text); break;
    case 1: AnnouncedDigest(text); break;
    default: AnnouncedVersion(text); break;
  }
  return 0;
}
