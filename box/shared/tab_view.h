// What the body of the main window shows for the selected game tab. The tab
// strip decides; the main window draws it.
#pragma once

namespace tamvelo {

enum class TabView {
  Game,      // the game's own window (nothing of the box's above it)
  Starting,  // the box's page while the game's window has not joined yet
  Stopped,   // the box's page for a tab whose process is gone, with "重新打开"
  Hung,      // the box's page above a game window that stopped answering
};

}  // namespace tamvelo
