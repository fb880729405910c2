// Shared by the preference window tests: the skin of the source tree installed
// into the data folder and made the toolkit's resource path, a config.ini
// restored after each test, real mouse clicks on named controls, and
// screenshots kept as artefacts.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "duilib/UIlib.h"
#include "tests/support/test_support.h"

namespace prefstest {

// Every test gets a data folder whose INI files are put back afterwards.
class PrefsUiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::string ConfigIni() const { return data_->ConfigIni(); }
  // Value as the program reads it ("Error" when absent).
  std::string ReadConfig(const char* section, const char* key) const;
  void WriteConfig(const char* section, const char* key, const char* value) const;

 private:
  std::unique_ptr<tamvelo::test::DataFolderScope> data_;
};

// Handles every queued message of this thread; true when a quit message
// was among them.
bool Pump();
// Whether a quit message arrived since the last call (handling what is
// queued first).
bool TakeQuit();

// A left click in the middle of a named control, as mouse messages.
void ClickControl(HWND window, DuiLib::CPaintManagerUI& pm, const char* name);
// The same for a control already found (names used twice in a layout).
void ClickControl(HWND window, DuiLib::CControlUI* control);

// Paints the window into a bitmap and writes <artefact folder>\<name>.bmp;
// the path is printed.
void SaveScreenshot(HWND window, const std::string& name);

}  // namespace prefstest
