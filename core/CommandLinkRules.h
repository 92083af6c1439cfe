// The command link's window-free rules: its caption, its look's timing and
// where its picture sits.
#pragma once

#include <cstdint>
#include <string>

// States, the toolbar button's own numbers.
enum : int32_t { LinkNormal = 1, LinkHot = 2, LinkPressed = 3, LinkDisabled = 4 };

// What a caption asks for: "!NAME" a picture; "Title|Desc" two texts (a
// third piece is ignored); anything else leaves the texts as they were.
struct LinkCaption {
    bool Picture = false;
    std::wstring PictureName;
    bool HasTexts = false;
    std::wstring Title, Desc;
};
LinkCaption ParseLinkCaption(const std::wstring& caption);

// The state drawn: disabled whatever the state when not enabled; the idle
// state looks hot with AlwaysHot.
int32_t DrawnLinkState(int32_t state, bool enabled, bool alwaysHot);

// Milliseconds of the animation into `newState`: 500 back to normal, 50 into
// pressed, 100 else.
int32_t LinkAnimationMs(int32_t newState);

// The 16-pixel picture's left (or top) in a control `extent` pixels wide (or
// high): centred, halves to even, and one pixel up-left unless pressed.
int32_t LinkPicturePlace(int32_t extent, bool pressed);

// The pointer is inside: both bounds included.
bool InsideLink(int32_t x, int32_t y, int32_t width, int32_t height);
