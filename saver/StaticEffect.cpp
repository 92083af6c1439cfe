// Static: the logo once, in its display mode; redrawn every frame (1 s).
#include "saver/EffectTable.h"
#include "saver/LogoImage.h"
#include "saver/SaverState.h"

void DrawStatic(HDC dc, EffectOp op) {
    if (op != OpCleanUp)
        DrawLogo(dc, CurrentSettings->StaticDisplay);
}
