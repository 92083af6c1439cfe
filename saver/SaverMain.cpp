// Entry of the screensaver program.
#include "saver/SaverInfo.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    if (LoadSaverInfo() != 0) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        return static_cast<int>(msg.wParam);
    }
    return 0;
}
