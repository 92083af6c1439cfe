// The settings sheet, previews and context help of the library.
// Placeholders with their final signatures until the sheet is built here.
#include "library/Exports.h"

extern "C" {

int32_t WINAPI ShowConfig(HWND, int32_t) {
    return 0;
}

int32_t WINAPI ShowSettings(HWND, int32_t) {
    return 0;
}

int32_t WINAPI GetHelpStr(int32_t, int32_t, char* text) {
    if (text)
        text[0] = 0;
    return 0;
}

} // extern "C"
