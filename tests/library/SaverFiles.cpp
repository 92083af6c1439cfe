#include "tests/library/SaverFiles.h"

#include <cstring>
#include <stdexcept>

std::string TemplatePath() {
    return TestDir() + "SaverTemplate.scr";
}

void CopyTemplate(const std::string& path) {
    if (!CopyFileA(TemplatePath().c_str(), path.c_str(), FALSE))
        throw std::runtime_error("cannot copy the template to " + path);
}

namespace {
void Put16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}
} // namespace

std::vector<uint8_t> MakeBmp32(int w, int h, uint8_t seed) {
    const uint32_t pixels = static_cast<uint32_t>(w * h * 4);
    std::vector<uint8_t> bmp(54 + pixels);
    bmp[0] = 'B';
    bmp[1] = 'M';
    Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    Put32(bmp, 10, 54);
    Put32(bmp, 14, 40);
    Put32(bmp, 18, static_cast<uint32_t>(w));
    Put32(bmp, 22, static_cast<uint32_t>(h));
    Put16(bmp, 26, 1);
    Put16(bmp, 28, 32);
    Put32(bmp, 34, pixels);
    for (uint32_t i = 0; i < pixels; ++i)
        bmp[54 + i] = static_cast<uint8_t>(i * 7 + seed);
    return bmp;
}

std::vector<uint8_t> MakeIco(const std::vector<uint32_t>& sizes, uint8_t fill) {
    const std::size_t count = sizes.size();
    std::vector<uint8_t> file(6 + 16 * count);
    Put16(file, 2, 1);
    Put16(file, 4, static_cast<uint32_t>(count));
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t e = 6 + 16 * k;
        file[e] = static_cast<uint8_t>(16 << k);
        file[e + 1] = static_cast<uint8_t>(16 << k);
        Put16(file, e + 4, 1);
        Put16(file, e + 6, 32);
        Put32(file, e + 8, sizes[k]);
        Put32(file, e + 12, static_cast<uint32_t>(file.size()));
        file.insert(file.end(), sizes[k], static_cast<uint8_t>((k + 1) * fill));
    }
    return file;
}

ResourceFile::ResourceFile(const std::string& path)
    : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}

std::optional<std::vector<uint8_t>> ResourceFile::Get(const char* type, WORD id) const {
    HRSRC found = FindResourceExA(module_.get(), type, MAKEINTRESOURCEA(id), SaverLanguage);
    if (!found)
        return std::nullopt;
    HGLOBAL loaded = LoadResource(module_.get(), found);
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data)
        return std::nullopt;
    return std::vector<uint8_t>(data, data + SizeofResource(module_.get(), found));
}

std::optional<std::u16string> ResourceFile::String(WORD id) const {
    const auto block = Get(MAKEINTRESOURCEA(6), static_cast<WORD>(id / 16 + 1));
    if (!block)
        return std::nullopt;
    std::size_t at = 0;
    for (WORD i = 0; i < id % 16; ++i) {
        if (at + 2 > block->size())
            return std::nullopt;
        at += 2 + 2 * ((*block)[at] | (*block)[at + 1] << 8);
    }
    if (at + 2 > block->size())
        return std::nullopt;
    const std::size_t length = (*block)[at] | (*block)[at + 1] << 8;
    if (at + 2 + 2 * length > block->size())
        return std::nullopt;
    std::u16string text(length, 0);
    std::memcpy(text.data(), block->data() + at + 2, 2 * length);
    return text;
}

std::u16string Blanks(std::size_t n) {
    return std::u16string(n, u' ');
}
