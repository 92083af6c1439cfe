#include "library/LibraryState.h"

HINSTANCE LibraryInstance = nullptr;
std::string LogoPath;
int32_t PreviewEffect = 0;

// Stores the module handle on every call and always reports success.
BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    LibraryInstance = instance;
    return TRUE;
}
