// The creator's arithmetic: rounding, word packing, colours, versions.
#pragma once

#include <cstdint>
#include <string>

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4); raises 6 outside int32.
int32_t RoundHalfEven(double value);

// The high and low 16 bits of a 32-bit value as signed numbers.
int32_t HiWord(int32_t value);
int32_t LoWord(int32_t value);
// hi * 65536 + lo, both taken as signed 16-bit numbers.
int32_t MakeLong(int32_t lo, int32_t hi);

// Parts of a COLORREF (red in the low byte).
int32_t GetRed(int32_t colour);
int32_t GetGreen(int32_t colour);
int32_t GetBlue(int32_t colour);

// Hue in degrees, saturation and value in percent; black outside 0..360.
int32_t HSVToRGB(int32_t hue, int32_t saturation, int32_t value);

// Reading-order key of a control at (left, top) with this height, in twips.
int32_t TabOrderKey(double left, double top, double height);

// The Windows class from the version GetVersionEx reports: 0 before Windows
// 2000, 1 Windows 2000, 2 XP and Server 2003, 3 Vista, 4 Windows 7 and later.
int32_t OsLevelOf(uint32_t major, uint32_t minor);

// Major * 10000 + Minor * 100 + Revision; raises 6 on overflow.
int32_t CreatorVersionOf(int32_t major, int32_t minor, int32_t revision);
// "4.5.15", "4.5" for 4.5.0, "4" for 4.0.0, "4.0.3" for 4.0.3.
std::wstring AppVersionTextOf(int32_t major, int32_t minor, int32_t revision);
