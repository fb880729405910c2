// What the browser thread's event handling needs to know about this tab:
// where records go, what they carry as sender, and the [Weburl] list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tamvelo::tab {

struct TabContext {
  HWND mainWindow = nullptr;  // receives the title and open-tab records
  HWND hostWindow = nullptr;  // its handle is the kind of a title record
  std::vector<std::wstring> weburls;
};

}  // namespace tamvelo::tab
