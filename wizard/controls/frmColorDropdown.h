// The colour picker's pop-up: a borderless topmost form with 40 named
// colours and "More colors...", each cell a toolbar button with a swatch and
// a tooltip, and a drop-shadow window under it. It serves one ColorDrop
// (Drop) and lives as long as it, so colour and custom colour are kept while
// it is hidden.
#pragma once

#include "core/ColorPalette.h"
#include "wizard/frame/Form.h"
#include "wizard/frame/SubClass.h"
#include "wizard/frame/ToolTip.h"
#include "wizard/frame/WindowHandle.h"

#include <functional>
#include <vector>

class ColorDrop;

class frmColorDropdown : public Form {
  public:
    frmColorDropdown();
    ~frmColorDropdown() override;

    int HoverColor = -1;   // the cell under the pointer, -1 none
    int SelectedColor = 0; // the selected cell
    ColorDrop* Drop = nullptr;
    bool MouseDown = false; // the left button is held
    // A cell was chosen.
    std::function<void(COLORREF NewColor)> Changed;

    // A palette colour selects its cell; any other becomes the custom colour.
    void SetColor(COLORREF colour);
    // The held cell's colour while the left button is down over one, else the
    // selected cell's.
    COLORREF Color() const;
    int ColorFromPoint(int x, int y) const;
    // Draws the whole pop-up at once; unless JustRedraw no cell stays hot.
    void Display(bool JustRedraw);
    // Closed with no release on a cell (Esc, Enter, the mouse lost): a cell
    // held down was not chosen, and the selection from before comes back.
    void DropHeld();

    const std::vector<PaletteEntry>& Entries() const { return entries_; }
    HWND ShadowWnd() const { return shadow_.get(); }
    HWND TipWnd() const { return tip_.TipWnd(); }
    // The whole pop-up as it looks now (WM_PAINT, WM_PRINTCLIENT).
    void PaintAll(HDC dc);

    // The colour dialog; tests replace it.
    static bool (*ColorDialog)(DWORD flags, COLORREF& colour);

  protected:
    void Form_Load() override;
    void Form_Unload(bool& Cancel) override;

  private:
    void DrawColorCell(HDC dc, int index, int look);
    void DrawCellNow(int index, int look);
    void Press(int button, int x, int y);
    void MoveTo(int x, int y);
    void Release(int button, int x, int y);
    void MakeShadow();
    void FollowShadow(const WINDOWPOS& pos);
    void sc_GotMessage(HWND& hWnd, UINT& msg, WPARAM& wp, LPARAM& lp, bool& Proceed,
                       LRESULT& ReturnValue);

    std::vector<PaletteEntry> entries_;
    int beforePress_ = 0;      // the selection shown when the button went down
    bool inDialog_ = false;    // the colour dialog has the mouse
    bool pressedCell_ = false; // the button held went down on a cell
    SubClasser sc;
    ToolTipClass tip_;
    UniqueWindow shadow_;
};
