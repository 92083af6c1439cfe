// The file-dialog filter of the logo page's Browse.
#pragma once

#include <functional>
#include <string>

// Tells whether an installed decoder reads files of an extension, given in
// upper case without its dot ("JPG").
using ExtensionClaimed = std::function<bool(const std::wstring& extension)>;

// "All Supported files|...|All Images|...|Dynamic Content|...", one entry
// per format, then "|All Files (*.*)|*.*". A picture format shows only the
// patterns a decoder claims, and no entry when it claims none; the Flash and
// web-page entries always show (they are not decoded as pictures). Each
// collected list keeps its trailing ";".
std::wstring LogoBrowseFilter(const ExtensionClaimed& claimed);
