// Entry of the screensaver program.
#include "saver/SaverEntry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    return RunScreenSaver(instance, GetCommandLineA());
}
