// A realistic skin for the benchmark: a 1020 x 690 main window with a
// background picture, a title bar of image buttons, a tab strip, a tool bar
// and a body of many labels and buttons, with generated PNG images.
#pragma once

#include <string>

// Writes xml\main.xml and the images under folder (ending in '\').
bool WriteBenchSkin(const std::string& folder);
