#include "saver/SaverWindowShared.h"

void ShowSaverCursor(bool hide) {
    if (InPreviewPane)
        return;
    // Bounded: a count that does not move must not hang the saver.
    for (int i = 0; i < 64; ++i) {
        const int count = ShowCursor(hide ? FALSE : TRUE);
        if (hide ? count < 0 : count >= 0)
            break;
    }
}
