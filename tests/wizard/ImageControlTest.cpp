// Image controls: painted by their container, stretched or at the picture's
// size, told of mouse moves through it; reset when the form loads again.
#include "core/CreatorError.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/ImageControl.h"

#include "tests/wizard/FormTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const ControlDecl ImageControls[] = {
    {.Name = L"picHost",
     .Kind = ControlKind::PictureBox,
     .Left = 0,
     .Top = 0,
     .Width = 3000,
     .Height = 1500},
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
    {.Name = L"lblOver",
     .Kind = ControlKind::Label,
     .Container = L"picHost",
     .Left = 1500,
     .Top = 150,
     .Width = 600,
     .Height = 600,
     .Caption = L"WW"},
    {.Name = L"imgOnForm",
     .Kind = ControlKind::Image,
     .Left = 150,
     .Top = 1650,
     .Width = 300,
     .Height = 300,
     .Flags = CtlStretch},
};
const FormDecl ImageForm = {.Name = L"frmImages",
                            .ScaleWidth = 3000,
                            .ScaleHeight = 2100,
                            .Style = WS_POPUP | WS_CLIPCHILDREN};

struct frmImages : Form {
    frmImages() : Form(ImageForm, ImageControls) {
        for (const wchar_t* name : {L"picHost", L"imgPlain", L"imgStretch", L"imgOnForm"})
            (*this)(name).MouseMove = [this, name](int button, int shift, int x, int y) {
                Moves.push_back(std::wstring(name) + L" " + std::to_wstring(button) + L" " +
                                std::to_wstring(shift) + L" " + std::to_wstring(x) + L"," +
                                std::to_wstring(y));
            };
        BackColor = RGB(255, 255, 255);
        (*this)(L"picHost").BackColor = RGB(255, 255, 255);
    }
    std::vector<std::wstring> Moves;
};

// 0xAARRGGBB rows, top first, as BGRA bytes.
std::vector<uint8_t> Bgra(std::initializer_list<uint32_t> pixels) {
    std::vector<uint8_t> out;
    for (const uint32_t p : pixels)
        out.insert(out.end(), {static_cast<uint8_t>(p), static_cast<uint8_t>(p >> 8),
                               static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 24)});
    return out;
}

COLORREF PixelOf(HWND w, int x, int y) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(w);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w, dc);
    return c;
}

// The one strong channel of a colour ('r', 'g', 'b'), '?' for a mixture.
char Strong(COLORREF c) {
    const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (r > 200 && g < 90 && b < 90)
        return 'r';
    if (g > 200 && r < 90 && b < 90)
        return 'g';
    if (b > 200 && r < 90 && g < 90)
        return 'b';
    return '?';
}

int32_t ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CreatorError& e) {
        return e.Number();
    }
    return 0;
}

constexpr COLORREF White = RGB(255, 255, 255);
constexpr uint32_t Red = 0xFFFF0000, Blue = 0xFF0000FF, Green = 0xFF00FF00, Grey = 0xFF808080;

// Black pixels in a rectangle of a window.
int BlackIn(HWND w, const RECT& r) {
    RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    HDC dc = GetDC(w);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += GetPixel(dc, x, y) == 0;
    ReleaseDC(w, dc);
    return n;
}

} // namespace

TEST(ImageControl, PaintedByItsContainerStretchedOrAtItsOwnSize) {
    frmImages f;
    ShowInactive(f);
    const HWND host = f(L"picHost").hWnd();
    Control& plain = f(L"imgPlain");
    Control& stretch = f(L"imgStretch");
    EXPECT_EQ(plain.hWnd(), nullptr);
    EXPECT_FALSE(plain.Image().Stretch());
    EXPECT_TRUE(stretch.Image().Stretch());
    EXPECT_FALSE(plain.Image().HasPicture());
    EXPECT_EQ(PixelOf(host, 20, 20), White); // nothing to paint yet

    // Not stretched: the control takes the picture's size.
    const std::vector<uint8_t> wide = Bgra({Red, Red, Blue, Blue, Red, Red, Blue, Blue});
    plain.Image().SetPicture(wide.data(), 4, 2);
    RECT r = plain.PixelRect();
    EXPECT_EQ(r.right - r.left, 4);
    EXPECT_EQ(r.bottom - r.top, 2);
    EXPECT_EQ(PixelOf(host, r.left, r.top), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(host, r.left + 3, r.top + 1), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(host, r.left + 4, r.top), White);

    // Stretched: the control keeps its size and the picture fills it (the
    // platform may smooth the enlargement). The label over it is drawn
    // after it (its text in black).
    const std::vector<uint8_t> quarters = Bgra({Red, Blue, Green, Grey});
    stretch.Image().SetPicture(quarters.data(), 2, 2);
    r = stretch.PixelRect();
    const int side = r.right - r.left;
    EXPECT_EQ(side, TwipsToPixelsX(600));
    f(L"lblOver").SetVisible(false);
    EXPECT_EQ(Strong(PixelOf(host, r.left + 2, r.top + side - 3)), 'g');
    EXPECT_EQ(Strong(PixelOf(host, r.right - 3, r.top + 2)), 'b');
    EXPECT_EQ(Strong(PixelOf(host, r.left + 2, r.top + 2)), 'r');
    EXPECT_EQ(BlackIn(host, r), 0);
    f(L"lblOver").SetVisible(true);
    EXPECT_GT(BlackIn(host, r), 4); // the label's text over the picture

    // Stretch turned off: the picture's own size; a smaller control clips it.
    stretch.Image().SetStretch(false);
    r = stretch.PixelRect();
    EXPECT_EQ(r.right - r.left, 2);
    plain.Image().SetPicture(stretch.Image()); // a copy of another image's picture
    EXPECT_EQ(plain.Image().PictureWidth(), 2);
    EXPECT_EQ(plain.Image().Pixels(), quarters);
    plain.Image().SetStretch(false);
    plain.Move(plain.Left(), plain.Top(), PixelsToTwipsX(1), PixelsToTwipsY(1));
    r = plain.PixelRect();
    EXPECT_EQ(PixelOf(host, r.left, r.top), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(host, r.left + 1, r.top), White);

    // Hidden, it is not painted; cleared, it paints nothing.
    plain.SetVisible(false);
    EXPECT_EQ(PixelOf(host, r.left, r.top), White);
    plain.SetVisible(true);
    plain.Image().ClearPicture();
    EXPECT_FALSE(plain.Image().HasPicture());
    EXPECT_EQ(PixelOf(host, r.left, r.top), White);

    EXPECT_EQ(ErrorOf([&] { f(L"picHost").Image(); }), ErrInvalidCall);

    // Loaded again: no picture, the declared stretch.
    f.Unload();
    f.Load();
    EXPECT_FALSE(f(L"imgStretch").Image().HasPicture());
    EXPECT_TRUE(f(L"imgStretch").Image().Stretch());
}

TEST(ImageControl, MouseMovesReachTheImageUnderThePointerThroughItsContainer) {
    frmImages f;
    ShowInactive(f);
    const HWND host = f(L"picHost").hWnd();
    const RECT plain = f(L"imgPlain").PixelRect();
    const RECT stretch = f(L"imgStretch").PixelRect();
    SendMessageW(host, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT,
                 MAKELPARAM(stretch.left + 7, stretch.top + 5));
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(plain.left, plain.top));
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(plain.right + 2, plain.top)); // the box itself
    const RECT onForm = f(L"imgOnForm").PixelRect();
    SendMessageW(f.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(onForm.left + 1, onForm.top + 2));
    SendMessageW(f.hWnd(), WM_MOUSEMOVE, 0, MAKELPARAM(onForm.right + 1, onForm.top + 2));
    // Hidden or disabled images are passed over.
    f(L"imgPlain").SetVisible(false);
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(plain.left, plain.top));
    f(L"imgPlain").SetVisible(true);
    f(L"imgPlain").SetEnabled(false);
    SendMessageW(host, WM_MOUSEMOVE, 0, MAKELPARAM(plain.left + 1, plain.top));
    const std::wstring box = L"picHost 0 0 " + std::to_wstring(plain.left);
    EXPECT_EQ(f.Moves, (std::vector<std::wstring>{
                           L"imgStretch 1 1 7,5", L"imgPlain 0 0 0,0",
                           L"picHost 0 0 " + std::to_wstring(plain.right + 2) + L"," +
                               std::to_wstring(plain.top),
                           L"imgOnForm 0 0 1,2", box + L"," + std::to_wstring(plain.top),
                           L"picHost 0 0 " + std::to_wstring(plain.left + 1) + L"," +
                               std::to_wstring(plain.top)}));
}
