// Whole reads and writes on a file handle, and seeking, for the saver file's
// readers and writer.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// The module (program or library) that holds this code and its resources.
HINSTANCE ThisModule();

bool Seek(HANDLE file, uint64_t offset, DWORD from = FILE_BEGIN);

// True only when all `count` bytes were read (or written).
bool ReadExactly(HANDLE file, void* buffer, std::size_t count);
bool WriteExactly(HANDLE file, const void* buffer, std::size_t count);
