// modMain's program-wide values: written once by the start-up (wizard/Main.h),
// read everywhere else.
#pragma once

#include <cstdint>
#include <string>

extern int32_t CreatorVersion;      // 40515 for 4.5.15
extern int32_t OsLevel;             // 0..4, see OsLevelOf
extern std::wstring AppVersionText; // "4.5.15"
extern std::wstring AppTitle;       // "Quorvel Screensaver Creator"
extern std::wstring HelpFile;       // <program folder>\quorvel.chm

// The program's folder, without a trailing backslash.
std::wstring ProgramFolder();
