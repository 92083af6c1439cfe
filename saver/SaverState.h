// The one in-memory saver record of this module (the screensaver or the
// library) and the logo block that came with it.
#pragma once

#include "core/SaverRecord.h"

#include <cstdint>
#include <vector>

extern SaverTrailer CurrentTrailer;
// The settings in use: CurrentTrailer.Settings, or a scratch copy while a
// settings Preview runs.
extern SaverSettings* CurrentSettings;
// The bytes of the logo block (content name block included).
extern std::vector<uint8_t> LogoBlock;
