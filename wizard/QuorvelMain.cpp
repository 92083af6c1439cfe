// The creator's entry: Main prepares everything and shows the wizard; the
// program then lives while one of its forms is loaded.
#include "wizard/frame/Form.h"
#include "wizard/frame/Main.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Main();
    RunMessageLoop();
    return 0;
}
