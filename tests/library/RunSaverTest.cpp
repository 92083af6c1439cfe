// A screensaver written through the library runs: started full screen, it
// shows the logo it was given over the background colour it was given.
#include "core/SaverRecord.h"
#include "library/Exports.h"
#include "tests/library/LibraryApi.h"
#include "tests/library/SaverFiles.h"

#include <gtest/gtest.h>

namespace {

// A w x h 32-bit bitmap of one opaque colour (premultiplied, as the creator
// writes them).
std::vector<uint8_t> SolidBmp(int w, int h, COLORREF colour) {
    std::vector<uint8_t> bmp = MakeBmp32(w, h, 0);
    for (std::size_t i = 54; i + 4 <= bmp.size(); i += 4) {
        bmp[i] = GetBValue(colour);
        bmp[i + 1] = GetGValue(colour);
        bmp[i + 2] = GetRValue(colour);
        bmp[i + 3] = 255;
    }
    return bmp;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

} // namespace

TEST(RunSaver, WrittenSaverShowsItsLogoFullScreen) {
    LibraryApi& lib = Library();
    ASSERT_TRUE(lib.Loaded()) << lib.missing;
    TempFolder dir;
    const std::string saver = dir.Path("Shown.scr");
    const std::string logo = dir.Path("red.bmp");
    CopyTemplate(saver);
    WriteFileBytes(logo, SolidBmp(300, 200, RGB(255, 0, 0)));

    lib.SetSettings(nullptr);
    char name[] = "Shown", empty[] = "";
    lib.SetName(name, empty, empty);
    lib.SetSaverState(EffectStatic, SaverStateEnabled); // centred, normal size
    lib.SetSaverState(EffectStandard, SaverStateDisabled);
    lib.SetLogo(logo.c_str(), 0, 0, 0, 1);
    lib.SetColor(RGB(0, 0, 255), -1);
    ASSERT_EQ(lib.WriteSettings(saver.c_str(), logo.c_str(), -1, "", 0), WriteOk);

    ChildProcess run("\"" + saver + "\" /s");
    ASSERT_TRUE(run.Started());
    HWND window = WaitForWindow(run.Id(), "WindowsScreenSaverClass", nullptr, 20000);
    ASSERT_NE(window, nullptr) << "no full-screen window";

    const int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    COLORREF centre = 0, corner = 0;
    for (int i = 0; i < 100; ++i) { // up to 10 s for the first frame
        centre = ScreenPixel(cx, cy);
        corner = ScreenPixel(5, 5);
        if (centre == RGB(255, 0, 0) && corner == RGB(0, 0, 255))
            break;
        PumpFor(100);
    }
    EXPECT_EQ(centre, RGB(255, 0, 0)) << "the logo in the middle";
    EXPECT_EQ(corner, RGB(0, 0, 255)) << "the background around it";
    // The logo is 300 x 200: just outside it the background shows.
    EXPECT_EQ(ScreenPixel(cx - 152, cy), RGB(0, 0, 255));
    EXPECT_EQ(ScreenPixel(cx - 148, cy), RGB(255, 0, 0));
    EXPECT_EQ(run.Wait(0), static_cast<DWORD>(STILL_ACTIVE));
}
