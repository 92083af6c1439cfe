// The icon chooser's rules without windows: the Browse filter, which text
// counts as no file, where browsing starts, the size grip's hit test, the
// layout after a resize, and how a 16-bit module is told apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The open dialog's filter: all icon files, programs, libraries, icons, all
// files, as "Description|patterns|..." pairs.
std::wstring IconBrowseFilter();

// The file the Browse button proposes: the text trimmed of spaces, and none
// when it is a placeholder in parentheses ("(none)").
std::wstring BrowseProposal(const std::wstring& text);

// The first folder that was found (non-empty), else ".".
std::wstring FirstFolder(const std::vector<std::wstring>& candidates);

struct GripBox {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// The grip's place in a client area of this size: the corner square one
// pixel larger than the scroll bar's width.
GripBox GripRectFor(int clientWidth, int clientHeight, int gripSize);
// A point of the client area sizes the window from the grip only in its
// lower right part (dx * dy above half the inner area).
bool GripSizes(const GripBox& grip, int x, int y);

// A control's place, twips: left, top, width, height.
struct Placement {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};
struct ChangeIconPlaces {
    Placement Filename, Browse, Icons, Default, OK, Cancel;
};
// Each control's new place after the window got this client size, or none
// where the move would need a negative size (that step is skipped, and the
// controls that follow it use the old place). The margin is the list's left.
struct ChangeIconMoves {
    std::optional<Placement> Filename, Browse, Icons, Default, OK, Cancel;
};
ChangeIconMoves LayOutChangeIcon(double scaleWidth, double scaleHeight,
                                 const ChangeIconPlaces& now);

// Where the new-style header of a program starts, read from its first 64
// bytes; none when they are no MZ header.
std::optional<uint32_t> NewHeaderOffset(const uint8_t* head, std::size_t size);
// The two bytes at that offset name a 16-bit module ("NE"), such as an icon
// library, which the resource functions cannot open.
bool IsSixteenBitSignature(const uint8_t* signature, std::size_t size);
