#include "wizard/frame/CommonDialog.h"

#include "core/CreatorMath.h"
#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <commdlg.h>

TEST(FileDialog, CancelKeepsTheInitialName) {
    std::wstring name = L"Logo.scr";
    bool confirmed = true;
    {
        DialogAnswerer cancel(L"Save the Screensaver", IDCANCEL);
        confirmed = ShowFileDialog(false, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, name, nullptr,
                                   L"Save the Screensaver", L"C:\\",
                                   L"Screen Savers (*.scr)|*.scr|All Files (*.*)|*.*", 1, L"scr");
        EXPECT_TRUE(cancel.Seen);
    }
    EXPECT_FALSE(confirmed);
    EXPECT_EQ(name, L"Logo.scr");
}

TEST(FileDialog, ConfirmedNameComesBack) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring name = std::wstring(temp) + L"QvDialogTest.scr";
    bool confirmed = false;
    {
        DialogAnswerer ok(L"Save it", IDOK);
        confirmed = ShowFileDialog(false, OFN_HIDEREADONLY, name, nullptr, L"Save it", L"",
                                   L"Screen Savers (*.scr)|*.scr", 1, L"scr");
    }
    EXPECT_TRUE(confirmed);
    EXPECT_NE(name.find(L"QvDialogTest.scr"), std::wstring::npos)
        << std::string(name.begin(), name.end());
}

TEST(ColourDialog, CustomColoursAreBuiltOnceAndKept) {
    COLORREF* colours = const_cast<COLORREF*>(CustomColours());
    EXPECT_EQ(colours[2], static_cast<COLORREF>(HSVToRGB(90, 100, 100)));
    colours[3] = RGB(9, 9, 9); // as if the user had changed it in an earlier showing
    COLORREF colour = RGB(10, 20, 30);
    bool chosen = false;
    {
        DialogAnswerer ok(nullptr, IDOK);
        chosen = ShowColorDialog(CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR, colour);
        EXPECT_TRUE(ok.Seen);
    }
    EXPECT_TRUE(chosen);
    EXPECT_EQ(colour, RGB(10, 20, 30));
    EXPECT_EQ(CustomColours()[3], RGB(9, 9, 9));
    {
        DialogAnswerer cancel(nullptr, IDCANCEL);
        colour = RGB(1, 2, 3);
        EXPECT_FALSE(ShowColorDialog(CC_RGBINIT, colour));
    }
    EXPECT_EQ(colour, RGB(1, 2, 3));
}
