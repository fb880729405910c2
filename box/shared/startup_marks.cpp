#include "box/shared/startup_marks.h"

namespace tamvelo::app {
namespace {

StartupObserver observer = nullptr;  // set before start-up, on its thread

}  // namespace

void SetStartupObserver(StartupObserver newObserver) { observer = newObserver; }

void NoteStartup(StartupMark mark) {
  if (observer != nullptr) observer(mark);
}

}  // namespace tamvelo::app
