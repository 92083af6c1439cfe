// The configure command's dialog (2003).
#pragma once

#include <windows.h>

INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
