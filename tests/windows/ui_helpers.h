// Real mouse clicks on named controls of the skinned windows, and
// screenshots kept as artefacts, for the preference window tests.
#pragma once

#include <string>

#include "duilib/UIlib.h"

namespace tamvelo::test {

// A left click in the middle of a named control, as mouse messages.
void ClickControl(HWND window, DuiLib::CPaintManagerUI& pm, const char* name);
// The same for a control already found (names used twice in a layout).
void ClickControl(HWND window, DuiLib::CControlUI* control);

// Paints the window into a bitmap and writes <artefact folder>\<name>.bmp;
// the path is printed.
void SaveScreenshot(HWND window, const std::string& name);

}  // namespace tamvelo::test
