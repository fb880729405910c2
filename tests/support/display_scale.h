// The display scale of the test prefix. The suites run at 100 %; the
// scaled-prefix check (tests/mainwnd/display_scale_check.sh) runs the tests
// that read this again in prefixes at 150 and 200 %.
#pragma once

namespace tamvelo::test {

// 0, 1 or 2 for a prefix at 100, 150 or 200 %: the index into a test's
// own table of what it expects at each. Any other DPI fails the test and
// gives 0.
int PrefixScaleIndex();

}  // namespace tamvelo::test
