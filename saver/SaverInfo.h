// Loading the screensaver's own options: defaults, the record at the end of
// its program file, then the per-user copy of the settings in the registry.
#pragma once

#include "core/SaverRecord.h"
#include "common/Handles.h"

#include <string>

// Opens a saver file for reading (shared read, existing only). A path in the
// system folder that file-system redirection hides is tried again with
// redirection off, then through "<windows>\sysnative\". Invalid on failure.
UniqueFile OpenSaverFile(const std::string& path);

// Reads the tail of `path` into CurrentTrailer and LogoBlock.
ReadResult ReadSaverTrailer(const std::string& path);

// The defaults into CurrentTrailer, with CurrentSettings pointing at them.
void LoadDefaultSettings();

// 0 on success; 1 after a message box was shown and a quit with exit code 1
// was posted.
int LoadSaverInfo();

// Step of LoadSaverInfo: replaces *CurrentSettings with the per-user value
// "Settings" when it is exactly 144 bytes of REG_BINARY; anything else is
// ignored.
void ApplyRegistrySettings();

// Writes *CurrentSettings to the per-user value "Settings" (144 bytes,
// REG_BINARY); silent when the key cannot be created.
void SaveRegistrySettings();
