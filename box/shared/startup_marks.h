// The moments of the main program's start-up, told to an observer that a
// benchmark's own entry point installs in its process before it runs the
// box. The program installs none, so for it each note is one test of a
// null pointer: no behaviour depends on it.
#pragma once

namespace tamvelo::app {

enum class StartupMark {
  ComInitialised,
  SkinResourcesSet,
  FeatureValuesWritten,
  MainWindowBuilt,       // skin parsed, controls and home browser created
  MainWindowCreated,     // InitWindow done: skin applied, the window not yet shown
  WindowInit,
  FirstPaint,            // the first paint has reached the screen
  WaitingTabStarted,
  UpdateThreadStarted,
};

using StartupObserver = void (*)(StartupMark);

void SetStartupObserver(StartupObserver observer);
void NoteStartup(StartupMark mark);

}  // namespace tamvelo::app
