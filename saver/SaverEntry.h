// The screen-saver program layer: command-line dispatch, the saver window's
// class and message loop, the single-instance rule and the default close
// rules (what the SDK's screen-saver library does elsewhere).
#pragma once

#include <windows.h>

// Runs the command given on `commandLine` (the whole line, program name
// included) and returns the process exit code.
int RunScreenSaver(HINSTANCE instance, const char* commandLine);
