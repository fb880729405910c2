// A browser control's event handler of the tests' own: it writes down the
// addresses the control starts to load, and cancels each load.
#pragma once

#include <string>

#include "duilib/UIlib.h"

namespace tamvelo::test {

class NavigationRecorder : public DuiLib::CWebBrowserEventHandler {
 public:
  void BeforeNavigate2(DuiLib::CWebBrowserUI*, IDispatch*, VARIANT* url, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                       VARIANT_BOOL* cancel) override {
    if (url != nullptr && url->vt == VT_BSTR && url->bstrVal != nullptr) {
      const std::wstring wide = url->bstrVal;
      last.assign(wide.begin(), wide.end());  // addresses are ASCII
    }
    ++count;
    if (cancel != nullptr) *cancel = VARIANT_TRUE;  // nothing to load
  }
  bool Saw(const std::string& path) const {
    return last.size() >= path.size() && last.compare(last.size() - path.size(), path.size(), path) == 0;
  }
  std::string last;
  int count = 0;
};

}  // namespace tamvelo::test
