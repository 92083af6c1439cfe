// The creator's test for Flash and web-page logos (GetDynamicType): by the
// file's first bytes, never by its name.
#pragma once

#include <windows.h>

#include <string>

// "Flash", "HTML" or the empty text (neither, or no such file or a folder). For a Flash
// movie `size.right` and `size.bottom` become its frame width and height in
// pixels (0 by 0 when its compressed data does not inflate); the rest of
// `size`, and all of it for other results, stays as the caller set it.
// Raises when the file cannot be read, or when a movie's data ends inside
// its frame rectangle.
std::wstring GetDynamicType(const std::wstring& file, RECT& size);
