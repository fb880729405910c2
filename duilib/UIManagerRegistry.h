// The paint managers of the process, for the message loop's pre-translation.
// User-interface thread only.
#pragma once

#include <vector>

namespace DuiLib {

class CPaintManagerUI;

void RegisterPaintManager(CPaintManagerUI* pManager);
void UnregisterPaintManager(CPaintManagerUI* pManager);
const std::vector<CPaintManagerUI*>& PaintManagers();
// The message a manager posts to its own window to finish work after the
// current message (deleting removed controls, asynchronous notifications).
UINT ManagerPostedMessage();

}  // namespace DuiLib
