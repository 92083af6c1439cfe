// The layout decisions of glowing text on glass, apart from the drawing.
#pragma once

#include <cstdint>
#include <string>

struct GlassRect {
    int32_t left, top, right, bottom;
};

// A blank before the text, one after it and one after every line break.
std::wstring PadGlassText(const std::wstring& text);

// DT_SINGLELINE (0x20) unless the label wraps or the text has a line break
// (without a label only the line break counts); then the caller's flags.
uint32_t GlassTextFormat(bool hasLabel, bool wordWrap, const std::wstring& text,
                         uint32_t extraFlags);

// The rectangle text is measured in: grown by 10 on every side, moved by
// (7, 7), its right edge then taken 1.5 times (halves to even).
GlassRect GlassTextRect(GlassRect r);
