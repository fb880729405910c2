// Where the toolkit finds the skin: the data folder, or an archive embedded
// in the program ("ZIPRES"/"IDR_ZIPRES") when a build carries one.
#pragma once

// Resource type of the toolkit for a zip held in the program's resources.
inline constexpr int kSkinResourceType = 4;

void SetupSkinResources();
