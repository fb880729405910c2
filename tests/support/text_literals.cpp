#include "tests/support/text_literals.h"

#include "common/text_codec.h"

namespace tamvelo::test {

std::wstring Utf8ToWide(const std::string& utf8) { return WideFromNarrow(utf8, kUtf8CodePage); }

std::string Utf8ToAnsi(const std::string& utf8) { return NarrowFromWide(Utf8ToWide(utf8)); }

bool AnsiCodePageIsGbk() { return NarrowFromWide(L"\u6e38") == "\xD3\xCE"; }

}  // namespace tamvelo::test
