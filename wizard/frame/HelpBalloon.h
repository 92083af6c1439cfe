// The help balloon: an edit control's balloon with a title, text and icon,
// and its stand-in where the platform shows none (EM_SHOWBALLOONTIP answers
// FALSE, as Wine's edit does).
#pragma once

#include <windows.h>

#include <string>

// An edit balloon on `edit` (a stand-in balloon where the platform shows none).
void ShowHelpTip(HWND edit, const std::wstring& title, const std::wstring& text, int icon);
// Removes the help balloon and gives the focus back.
void HideHelpTip();

// The stand-in balloon window, nullptr when none is up (tests).
HWND HelpBalloon();
// The last edit balloon asked for (tests: the stand-in's title cannot be read back).
struct HelpBalloonRecord {
    HWND Edit = nullptr;
    std::wstring Title, Text;
    int Icon = 0;
};
const HelpBalloonRecord& LastHelpBalloon();
