// Shared pieces of the imaging and saver-file tests.
#pragma once

#include "tests/support/WinTest.h"

#include <cstdint>
#include <string>
#include <vector>

// The bytes of a resource of type 800 of the test program.
std::vector<uint8_t> ResourceBytes(const wchar_t* name);
// Writes a resource to `dir`/`name` and returns the path.
std::wstring ResourceFile(const TempFolder& dir, const wchar_t* resource, const std::string& name);
std::wstring Wide(const std::string& s);

// The pattern of the test pictures at (x, y): blue, green, red, alpha.
struct Bgra {
    uint8_t B, G, R, A;
};
Bgra PatternPixel(int x, int y);
