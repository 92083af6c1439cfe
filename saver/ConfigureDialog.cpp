// The configure command: the platform runs dialog 2003 with this procedure.
#include "saver/ConfigureDialog.h"

#include "resources/SettingsIds.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"
#include "saver/SettingsSheet.h"

INT_PTR CALLBACK ConfigureDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG)
        return 0;
    // A failed load has shown its message and asked to quit; the sheet then
    // ends with the quit request.
    LoadSaverInfo();
    if (CurrentSettings->AllowConfig != 0) {
        ShowSettingsSheet(nullptr, 0);
        std::vector<uint8_t>().swap(LogoBlock);
    } else {
        HWND owner = GetParent(dialog);
        DialogBoxParamA(ThisModule(), MAKEINTRESOURCEA(IDD_ABOUT), owner ? owner : dialog,
                        SettingsPageProc, 0);
    }
    EndDialog(dialog, 0);
    return 0;
}
