#include "core/TravelPlacement.h"

TravelPlacement PlaceTravelButtons(int32_t imgSize, bool glass, int32_t headerHeight) {
    TravelPlacement p;
    if (imgSize < 0)
        imgSize = 0;
    p.Top = imgSize == 0 || glass ? (headerHeight - imgSize) / 2 : headerHeight - (imgSize + 5);
    p.Left = 5;
    p.Width = 2 * imgSize;
    p.Height = imgSize + 1;
    p.Visible = imgSize > 0;
    return p;
}
