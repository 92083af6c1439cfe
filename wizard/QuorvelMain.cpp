// The creator's entry: Main prepares everything and shows the wizard; the
// program then lives while one of its forms is loaded.
#include "wizard/Main.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/Imaging.h"

#include <ole2.h>
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The thread is an OLE apartment, as the shell's dialogs, auto-completion
    // and the hosted logo controls expect.
    const HRESULT ole = OleInitialize(nullptr);
    Main();
    RunMessageLoop();
    ReleaseImaging(); // its objects go while COM is still there
    if (SUCCEEDED(ole))
        OleUninitialize();
    return 0;
}
