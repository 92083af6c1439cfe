// Stand-in for the configure dialog until the settings sheet exists: loads
// the saver information (so a damaged file is still reported), frees the
// logo and ends.
#include "saver/ConfigureDialog.h"

#include "saver/SaverInfo.h"
#include "saver/SaverState.h"

INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return FALSE;
    LoadSaverInfo();
    LogoBlock.clear();
    EndDialog(dialog, 0);
    return TRUE;
}
