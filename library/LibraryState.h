// State of the saver library beside the saver record it shares with the
// screensaver code (CurrentTrailer, CurrentSettings, LogoBlock in
// saver/SaverState.h). One instance per process, used from the creator's
// user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The library's own module: instance of its settings sheet and resources.
extern HINSTANCE LibraryInstance;
// The logo file last given to SetLogo (empty: none), for the preview's logo
// loader.
extern std::string LogoPath;
// Effect forced on the next preview; 0 = none.
extern int32_t PreviewEffect;
// SettingsChanged, set when a settings page writes its controls back, is the
// shared sheet's (saver/SettingsSheet.h).
