// Fonts of the form layer, shared through a cache keyed by the whole
// description: controls that describe the same font use one object, and a
// control that changes its font gets another object, never altering the
// font of any other control.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

struct FontDesc {
    std::wstring Name = L"MS Shell Dlg";
    double Size = 8.0; // points
    int Weight = FW_NORMAL;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    BYTE Charset = DEFAULT_CHARSET;
    bool operator<(const FontDesc& other) const;
};

// A font made from a description; it lives while one holder keeps it.
using SharedFont = std::shared_ptr<std::remove_pointer_t<HFONT>>;
// The cached font of this description, made when none is alive; raises the
// system error when the font cannot be made.
SharedFont FontFor(const FontDesc& font);
// Live fonts in the cache (tests).
size_t CachedFontCount();
