// Whole files in and out, every byte checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// False when the file cannot be opened or read whole, or memory runs out.
bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes);

// The first `limit` bytes of a file (all of it when shorter: `whole`).
bool ReadFilePrefix(const std::wstring& path, std::size_t limit, std::vector<uint8_t>& bytes,
                    bool& whole);

// Creates or replaces the file through WriteFileBeside. False on any
// failure, with the file as it was.
bool WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
