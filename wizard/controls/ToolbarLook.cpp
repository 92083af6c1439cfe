#include "wizard/controls/ToolbarLook.h"

#include "wizard/frame/Aero.h"

bool ClassicToolbarOnly = false;

void DrawToolbarButton(HWND window, HDC dc, const RECT& button, int state) {
    if (!ClassicToolbarOnly) {
        const UniqueTheme theme(OpenThemeDataSafe(window, L"ToolBar"));
        if (theme) {
            DrawThemeBackground(theme.get(), dc, 1, state, &button, nullptr);
            return;
        }
    }
    RECT r = button;
    switch (state) {
    case 2:
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        break;
    case 3:
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    case 5:
    case 6:
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        break;
    default: // normal and disabled are flat; disabled content is drawn grey
        break;
    }
}
