// Image controls: painted by their container at the picture's size or
// stretched, told of mouse moves through it, reset when the form loads again.
#include "core/CreatorError.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/ImageControl.h"

#include "tests/support/CreatorDriver.h"
#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const ControlDecl ImageControls[] = {
    {.Name = L"picHost", .Kind = ControlKind::PictureBox, .Width = 3000, .Height = 1500},
    {.Name = L"imgPlain",
     .Kind = ControlKind::Image,
     .Container = L"picHost",
     .Left = 150,
     .Top = 150,
     .Width = 900,
     .Height = 900},
    {.Name = L"imgStretch",
     .Kind = ControlKind::Image,
     .Container = L"picHost",
     .Left = 1500,
     .Top = 150,
     .Width = 600,
     .Height = 600,
     .Flags = CtlStretch},
};
const FormDecl ImageForm = {.Name = L"frmImages",
                            .ScaleWidth = 3000,
                            .ScaleHeight = 1500,
                            .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmImages : Form {
    frmImages() : Form(ImageForm, ImageControls) {
        for (const wchar_t* name : {L"picHost", L"imgPlain", L"imgStretch"})
            (*this)(name).MouseMove = [this, name](int button, int, int x, int y) {
                Moves.push_back(std::wstring(name) + L" " + std::to_wstring(button) + L" " +
                                std::to_wstring(x) + L"," + std::to_wstring(y));
            };
        (*this)(L"picHost").BackColor = RGB(255, 255, 255);
    }
    std::vector<std::wstring> Moves;
};

// 0xAARRGGBB pixels, top row first, as BGRA bytes.
std::vector<uint8_t> Bgra(std::initializer_list<uint32_t> pixels) {
    std::vector<uint8_t> out;
    for (const uint32_t p : pixels)
        out.insert(out.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                               static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 24)});
    return out;
}

// The one strong channel of a colour ('r', 'g', 'b'), '?' for a mixture
// (the platform may smooth an enlargement).
char Strong(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    return r > 200 && g < 90 && b < 90   ? 'r'
           : g > 200 && r < 90 && b < 90 ? 'g'
           : b > 200 && r < 90 && g < 90 ? 'b'
                                         : '?';
}

constexpr COLORREF White = RGB(255, 255, 255);
constexpr uint32_t Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00;

} // namespace

TEST(ImageControl, PaintedAndToldOfTheMouseByItsContainer) {
    frmImages f;
    ShowInactive(f);
    const HWND host = f(L"picHost").hWnd();
    Control& plain = f(L"imgPlain");
    Control& stretch = f(L"imgStretch");
    EXPECT_EQ(plain.hWnd(), nullptr);
    EXPECT_THROW(f(L"picHost").Image(), CreatorError);

    // Not stretched: the control takes the picture's size.
    const std::vector<uint8_t> wide = Bgra({Red, Red, Blue, Blue, Red, Red, Blue, Blue});
    plain.Image().SetPicture(wide.data(), 4, 2);
    RECT r = plain.PixelRect();
    EXPECT_EQ(r.right - r.left, 4);
    EXPECT_EQ(r.bottom - r.top, 2);
    EXPECT_EQ(ShownPixel(host, r.left, r.top), RGB(255, 0, 0));
    EXPECT_EQ(ShownPixel(host, r.left + 3, r.top + 1), RGB(0, 0, 255));
    EXPECT_EQ(ShownPixel(host, r.left + 4, r.top), White);

    // Stretched: the control keeps its size and the picture fills it.
    const std::vector<uint8_t> quarters = Bgra({Red, Blue, Green, Red});
    stretch.Image().SetPicture(quarters.data(), 2, 2);
    const RECT s = stretch.PixelRect();
    EXPECT_EQ(s.right - s.left, TwipsToPixelsX(600));
    EXPECT_EQ(Strong(ShownPixel(host, s.left + 2, s.top + 2)), 'r');
    EXPECT_EQ(Strong(ShownPixel(host, s.right - 3, s.top + 2)), 'b');
    EXPECT_EQ(Strong(ShownPixel(host, s.left + 2, s.bottom - 3)), 'g');

    // A move over an image is the image's, in its own coordinates; elsewhere the box's.
    SendMessageW(host, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(s.left + 7, s.top + 5));
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 1, r.top));
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(r.right + 2, r.top));
    f(L"imgStretch").SetEnabled(false); // disabled or hidden images let it through
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(s.left + 7, s.top + 5));
    const auto at = [](const wchar_t* name, int button, LONG x, LONG y) {
        return std::wstring(name) + L" " + std::to_wstring(button) + L" " + std::to_wstring(x) +
               L"," + std::to_wstring(y);
    };
    EXPECT_EQ(f.Moves,
              (std::vector<std::wstring>{at(L"imgStretch", 1, 7, 5), at(L"imgPlain", 0, 1, 0),
                                         at(L"picHost", 0, r.right + 2, r.top),
                                         at(L"picHost", 0, s.left + 7, s.top + 5)}));

    // Stretch off takes the picture's size; a smaller control clips it;
    // hidden or cleared, nothing is painted.
    stretch.Image().SetStretch(false);
    EXPECT_EQ(stretch.PixelRect().right - stretch.PixelRect().left, 2);
    plain.Image().SetPicture(stretch.Image()); // a copy of another image's picture
    EXPECT_EQ(plain.Image().Pixels(), quarters);
    plain.Move(plain.Left(), plain.Top(), PixelsToTwipsX(1), PixelsToTwipsY(1));
    EXPECT_EQ(ShownPixel(host, r.left, r.top), RGB(255, 0, 0));
    EXPECT_EQ(ShownPixel(host, r.left + 1, r.top), White);
    plain.SetVisible(false);
    EXPECT_EQ(ShownPixel(host, r.left, r.top), White);
    plain.SetVisible(true);
    plain.Image().ClearPicture();
    EXPECT_EQ(ShownPixel(host, r.left, r.top), White);

    // Loaded again: no picture, the declared stretch.
    f.Unload();
    f.Load();
    EXPECT_FALSE(f(L"imgStretch").Image().HasPicture());
    EXPECT_TRUE(f(L"imgStretch").Image().Stretch());
}
