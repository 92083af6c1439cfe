// The screensaver's command line, as the host starts it: a switch letter
// after "/" or "-", sometimes followed by a window handle in decimal.
#pragma once

#include <cstdint>

enum class SaverCommand {
    None,      // no switch: the configure dialog without an owner
    Configure, // "c", optionally ":<handle>": owned by that window
    Saver,     // "s": full screen
    Preview,   // "p" or "l" and a handle: child of the preview pane
    Password,  // "a": the Windows 9x password change, not offered here
    Unknown,   // anything else
};

struct SaverCommandLine {
    SaverCommand Command = SaverCommand::None;
    bool HasWindow = false; // a decimal handle followed the switch
    uint64_t Window = 0;
};

// Parses the whole command line, program name included (quoted or not).
SaverCommandLine ParseSaverCommandLine(const char* commandLine);
