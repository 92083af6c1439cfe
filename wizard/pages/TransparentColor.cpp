// The logo page's transparent colour and background colour: the check box,
// the swatch with its disabled look, picking a colour in the preview, the
// flash of the keyed pixels, and a new background colour.
#include "common/Handles.h"
#include "core/ContentLogo.h"
#include "core/TransparentSwatch.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Help.h"
#include "wizard/frame/MessagePump.h"
#include "wizard/frame/RunningFlag.h"
#include "wizard/pages/frmWizard.h"

#include <windowsx.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

// The pick cursor of the swatch; the arrow's cross where it is missing.
HCURSOR PickCursor() {
    static const HCURSOR cursor = [] {
        const HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), L"PICK");
        return own ? own : LoadCursorW(nullptr, IDC_CROSS);
    }();
    return cursor;
}

void SetClientEdge(HWND window, bool edge) {
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    const LONG_PTR wanted = edge ? ex | WS_EX_CLIENTEDGE : ex & ~WS_EX_CLIENTEDGE;
    if (wanted == ex)
        return;
    SetWindowLongPtrW(window, GWL_EXSTYLE, wanted);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

} // namespace

void frmWizard::WireTransparency() {
    clrBackground.Changed = [this](COLORREF colour) { clrBackground_Changed(colour); };
    chkTrans.Click = [this] { chkTrans_Click(); };
    Control& swatch = picTrans;
    swatch.MousePointer = PointerCustom;
    swatch.MouseIcon = PickCursor();
    swatch.MouseMove = [this](int, int, int X, int Y) { picTrans_MouseMove(X, Y); };
    swatch.MouseUp = [this](int, int, int, int) { picTrans_MouseUp(); };
    swatch.Click = [this] { picTrans_Click(); };
    // The swatch paints itself from its state, so its disabled look
    // survives repaints; a pick that loses the mouse ends there.
    scTrans.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                                bool& Proceed, LRESULT& ReturnValue) {
        switch (message) {
        case WM_ERASEBKGND:
            Proceed = false;
            ReturnValue = 1;
            break;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(hWnd, &ps);
            PaintSwatch(dc);
            EndPaint(hWnd, &ps);
            Proceed = false;
            ReturnValue = 0;
            break;
        }
        case WM_PRINTCLIENT:
            PaintSwatch(reinterpret_cast<HDC>(wParam));
            Proceed = false;
            ReturnValue = 0;
            break;
        case WM_CAPTURECHANGED:
            if (Picking && reinterpret_cast<HWND>(lParam) != hWnd)
                picTrans_LostCapture();
            break;
        default:
            break;
        }
    };
    // Choose starts on the release of a mouse button over it, after the
    // button's own release handling (whose ReleaseCapture would end the
    // pick at once); the keyboard's press does nothing.
    scChoose.GotMessage = [this](HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam,
                                 bool& Proceed, LRESULT& ReturnValue) {
        if (message != WM_LBUTTONUP && message != WM_RBUTTONUP && message != WM_MBUTTONUP)
            return;
        ReturnValue = CallOldWndProc(hWnd, message, wParam, lParam);
        Proceed = false;
        RECT client{};
        GetClientRect(hWnd, &client);
        if (IsWindowEnabled(hWnd) &&
            PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            cmdTrans_MouseUp();
    };
}

void frmWizard::SubClassTransparency() {
    scTrans.SubClass(picTrans.hWnd());
    scChoose.SubClass(cmdTrans.hWnd());
}

int32_t frmWizard::PointToImageColor(double x, double y) const {
    const auto pixel = PreviewToLogo(x, y, PreviewRect{LogoLeft, LogoTop, LogoWidth, LogoHeight},
                                     picSaveDrawing.Width(), picSaveDrawing.Height());
    return pixel ? picSaveDrawing.Pixel(pixel->X, pixel->Y) : -1;
}

void frmWizard::ShowSwatch(int32_t colour) {
    Control& swatch = picTrans;
    swatch.BackColor = static_cast<COLORREF>(colour < 0 ? 0 : colour);
    swatch.Refresh();
}

void frmWizard::PaintSwatch(HDC dc) {
    const Control& swatch = picTrans;
    RECT r{};
    GetClientRect(swatch.hWnd(), &r);
    const COLORREF colour = BackColorOf(&swatch);
    if (chkTrans.Value() == 1) {
        const UniqueBrush solid(CreateSolidBrush(colour));
        FillRect(dc, &r, solid.get());
        return;
    }
    // Key off: the colour paled toward the button face, two outlines and a
    // checkerboard in the panel's colour.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF pale = static_cast<COLORREF>(
        DisabledSwatchColour(static_cast<int32_t>(colour), static_cast<int32_t>(face)));
    const COLORREF panel = BackColorOf(&picTransBack);
    {
        const UniqueBrush solid(CreateSolidBrush(pale));
        FillRect(dc, &r, solid.get());
        const UniqueBrush outline(CreateSolidBrush(panel));
        for (int i = 0; i < 2; ++i) {
            const RECT edge{i, i, r.right - i, r.bottom - i};
            FrameRect(dc, &edge, outline.get());
        }
    }
    const WORD rows[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    const UniqueBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
    const UniqueBrush checker(CreatePatternBrush(pattern.get()));
    if (!checker)
        return;
    // Set bits take the background colour, clear ones the text colour.
    const COLORREF oldText = SetTextColor(dc, panel);
    const COLORREF oldBack = SetBkColor(dc, pale);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    {
        const SelectGuard brush(dc, checker.get());
        const SelectGuard pen(dc, GetStockObject(NULL_PEN));
        Rectangle(dc, 0, 0, r.right, r.bottom);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void frmWizard::chkTrans_Click() {
    const bool ticked = chkTrans.Value() == 1;
    if (ticked) {
        TransparentColor = TransparentColorPrev;
        if (TransparentColor < 0)
            TransparentColor = picSaveDrawing.Pixel(0, 0);
        ShowSwatch(TransparentColor);
    } else {
        TransparentColorPrev =
            TransparentColor >= 0 ? TransparentColor : picSaveDrawing.Pixel(0, 0);
        TransparentColor = -1;
        ShowSwatch(TransparentColorPrev);
    }
    cmdTrans.SetEnabled(ticked);
    Control& swatch = picTrans;
    swatch.SetEnabled(ticked);
    SetClientEdge(swatch.hWnd(), ticked);
    UpdateImage(-1, L"", true, false, false);
    swatch.Refresh();
}

void frmWizard::cmdTrans_MouseUp() {
    const HWND swatch = picTrans.hWnd();
    Picking = true;
    SetCapture(swatch);
    SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SetCursor(PickCursor());
    Control& preview = picPreview;
    ShowControlHelp(&preview, this, true, nullptr, nullptr,
                    L"Click on a color on the image to make it transparent", L"", 1, -1, 0);
}

void frmWizard::picTrans_MouseMove(int X, int Y) {
    const HWND swatch = picTrans.hWnd();
    if (GetCapture() != swatch)
        return;
    SetCursor(PickCursor());
    POINT at{X, Y};
    ClientToScreen(swatch, &at);
    const HWND preview = picPreview.hWnd();
    if (WindowFromPoint(at) != preview)
        return; // over anything else the swatch keeps its colour
    ScreenToClient(preview, &at);
    const int32_t colour = PointToImageColor(at.x, at.y);
    ShowSwatch(colour >= 0 ? colour : 0);
}

void frmWizard::picTrans_MouseUp() {
    if (Flashing)
        return; // part of a click the flash ignores
    Control& swatch = picTrans;
    TransparentColor = static_cast<int32_t>(swatch.BackColor);
    const bool picked = Picking;
    Picking = false;
    if (GetCapture() == swatch.hWnd())
        ReleaseCapture();
    if (picked)
        HideHelpTip();
    UpdateImage(-1, L"", true, false, false);
}

void frmWizard::picTrans_LostCapture() {
    // Taken away without a release (Alt+Tab): the key stays as it was.
    Picking = false;
    ShowSwatch(TransparentColor);
    HideHelpTip();
}

void frmWizard::picTrans_Click() {
    // Its own message pumping must not start a second flash from the
    // inverse view.
    if (Flashing)
        return;
    const RunningFlag running(Flashing);
    // A request that was turned away is drawn from the state as it is: an
    // alpha logo is composed over the background again, a logo named
    // meanwhile is loaded, the key kept for the same logo.
    const auto drawMissed = [this] {
        if (std::exchange(ImageMissed, false))
            UpdateImage(-1, L"", true, PicHasTrans, txtLogo.Text() == LastImageFile);
    };
    // One turned away just before (by the release's own redraw) is drawn
    // first, so the flash starts from what the page holds now; one turned
    // away by that redraw in turn ends the flash below.
    drawMissed();

    const HWND preview = picPreview.hWnd();
    RECT box{};
    GetClientRect(preview, &box);
    const int W = box.right, H = box.bottom;
    Surface normal, inverse;
    if (!normal.Resize(W, H) || !inverse.Resize(W, H) || !picPreviewDrawing.Dc())
        return;
    GdiFlush();
    BitBlt(normal.Dc(), 0, 0, W, H, picPreviewDrawing.Dc(), 0, 0, SRCCOPY);
    // The inverse redraw composes picTmpDrawing over the inverse colour; the
    // actual-size view shows picTmpDrawing, so it is put back afterwards.
    const std::size_t tmpBytes =
        static_cast<std::size_t>(picTmpDrawing.Width()) * picTmpDrawing.Height() * 4;
    const int tmpW = picTmpDrawing.Width(), tmpH = picTmpDrawing.Height();
    std::vector<uint8_t> keptTmp;
    if (picTmpDrawing.Bits())
        keptTmp.assign(picTmpDrawing.Bits(), picTmpDrawing.Bits() + tmpBytes);

    UpdateImage(InverseColour(BackgroundColor), L"", true, false, true);
    // A key, background or logo asked for meanwhile (the pumping below, or
    // the redraw's own, where it was turned away) ends the flash: the
    // snapshots are stale then.
    const unsigned flashed = ImageRequests;
    const auto changed = [&] { return ImageMissed || ImageRequests != flashed; };
    DoEvents();
    if (!changed()) {
        Sleep(100);
        GdiFlush();
        BitBlt(inverse.Dc(), 0, 0, W, H, picPreviewDrawing.Dc(), 0, 0, SRCCOPY);
        picPreviewDrawing.Refresh();
        for (int i = 0; i < 3 && !changed(); ++i) {
            const Surface& shown = i % 2 == 0 ? normal : inverse;
            GdiFlush();
            BitBlt(picPreviewDrawing.Dc(), 0, 0, W, H, shown.Dc(), 0, 0, SRCCOPY);
            GdiFlush();
            picPreviewDrawing.Refresh();
            DoEvents();
            if (i < 2 && !changed())
                Sleep(100);
        }
    }
    if (changed()) {
        drawMissed();
        return;
    }
    if (!keptTmp.empty() && picTmpDrawing.Width() == tmpW && picTmpDrawing.Height() == tmpH &&
        picTmpDrawing.Bits()) {
        GdiFlush();
        std::memcpy(picTmpDrawing.Bits(), keptTmp.data(), tmpBytes);
    }
}

void frmWizard::clrBackground_Changed(COLORREF colour) {
    RunSteps(L"frmWizard.clrBackground_Changed", {[&] {
                 BackgroundColor = static_cast<int32_t>(colour);
                 // An alpha logo is composed over the colour, so it is read again.
                 UpdateImage(-1, L"", true, PicHasTrans, true);
             }});
}
