// Replacing a screensaver's icon (group 5 and its images, English (UK)).
#pragma once

#include <cstdint>

// Takes the icon from `source`: an icon file, or (when it starts with "MZ") a
// program or library, whose icon group number `index` in enumeration order is
// copied. True when the saver's icon was replaced; on any failure the saver
// keeps its icon.
bool WriteSaverIcon(const char* source, const char* saverPath, int32_t index);
