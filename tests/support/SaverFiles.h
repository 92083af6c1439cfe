// Screensaver files for tests: 32-bit bitmaps and copies of the built
// screensaver program with a logo and a record appended.
#pragma once

#include "core/SaverRecord.h"
#include "tests/support/WinTest.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A 32-bit BMP file (top row first in `pixel`, 0xAARRGGBB).
std::vector<uint8_t> MakeBitmap32(int width, int height,
                                  const std::function<uint32_t(int x, int y)>& pixel);

// The record's defaults (seeded with 1), as the creator starts from them.
SaverTrailer DefaultTrailer();

// Writes SaverTemplate.scr (from beside the test program) with `logo` and
// `trailer` appended to `dir`/`name`, and returns its path.
std::string MakeSaverFile(const TempFolder& dir, const std::string& name,
                          const SaverTrailer& trailer, const std::vector<uint8_t>& logo);
