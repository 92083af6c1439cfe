// Whole reads and writes on a file handle, seeking, and whole files written
// beside and replaced, for the saver file's readers and writers.
#pragma once

#include "common/FileWriter.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

// The module (program or library) that holds this code and its resources.
HINSTANCE ThisModule();

bool Seek(HANDLE file, uint64_t offset, DWORD from = FILE_BEGIN);

// True only when all `count` bytes were read (or written).
bool ReadExactly(HANDLE file, void* buffer, std::size_t count);
bool WriteExactly(HANDLE file, const void* buffer, std::size_t count);

// The system call every write goes through. Tests put one here that stops
// part-way, as a full disk does.
extern WriteFileFunction WriteFileCall;

// Makes `path` a file of exactly these `count` bytes, through
// WriteFileBeside: false on any failure, with `path` as it was and nothing
// left beside.
bool WriteWholeFile(const std::string& path, const void* data, std::size_t count,
                    DWORD attributes = FILE_ATTRIBUTE_NORMAL);
