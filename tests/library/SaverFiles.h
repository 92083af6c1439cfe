// What the library's tests make and inspect: copies of the built screensaver
// program, small logos and icon files, and the resources of a saver file as
// the platform's resource functions see them.
#pragma once

#include "common/Handles.h"
#include "tests/support/WinTest.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr WORD SaverLanguage = 0x809;

std::string TemplatePath();

// A copy of the built template at `path`.
void CopyTemplate(const std::string& path);

// A 32-bit BMP file with alpha, w x h, with pixels that depend on `seed`.
std::vector<uint8_t> MakeBmp32(int w, int h, uint8_t seed);

// An .ico file whose images are `sizes` bytes long, each filled with its
// 1-based index times `fill`.
std::vector<uint8_t> MakeIco(const std::vector<uint32_t>& sizes, uint8_t fill = 0x11);

// A file opened for its resources only.
class ResourceFile {
  public:
    explicit ResourceFile(const std::string& path);
    bool Open() const { return static_cast<bool>(module_); }
    // The bytes of one resource of language 0x809, or nothing.
    std::optional<std::vector<uint8_t>> Get(const char* type, WORD id) const;
    // String `id` of language 0x809 as UTF-16 units (its stored length).
    std::optional<std::u16string> String(WORD id) const;
    HMODULE Module() const { return module_.get(); }

  private:
    UniqueModule module_;
};

std::u16string Blanks(std::size_t n);
