#include "tests/support/display_scale.h"

#include <gtest/gtest.h>

#include "common/window_dpi.h"

namespace tamvelo::test {

int PrefixScaleIndex() {
  const unsigned dpi = SystemDpi();
  const unsigned kDpis[] = {96, 144, 192};
  for (int i = 0; i < 3; ++i) {
    if (dpi == kDpis[i]) return i;
  }
  ADD_FAILURE() << "the prefix's DPI is " << dpi << ", none of 96, 144 and 192";
  return 0;
}

}  // namespace tamvelo::test
