// Any bytes as a picture file whose extension the first byte picks, read
// through our own decoders' table: it must neither crash nor read outside
// the data, a picture must be the size its header check measured (within
// the limits), and it must come from the file's own bytes: the same file
// with 256 bytes more after its end gives the same picture or file. A
// PhotoCD's pixels are never parsed, only its information block: its input
// is that block, made up to the base image's end with grey.
#include "core/OwnPicture.h"
#include "core/PictureHeader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// The extensions the seed writer uses: the first byte modulo their count.
const wchar_t* const Extensions[] = {L"DDS", L"JNG", L"MNG", L"KOA", L"CUT", L"PCD", L"G3"};
constexpr std::size_t ExtensionCount = sizeof Extensions / sizeof Extensions[0];
constexpr std::size_t PhotoCdSize = 0xC0000;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const wchar_t* extension = Extensions[data[0] % ExtensionCount];
    std::vector<uint8_t> file(data + 1, data + size);
    if (extension == Extensions[5] && file.size() < PhotoCdSize)
        file.resize(PhotoCdSize, 0x80);
    data = file.data(), size = file.size();
    const auto result = DecodeOwnPicture(data, size, extension);
    if (!result)
        return 0;
    const Bitmap32& b = result->Picture.Bitmap;
    if (result->Reframed.empty()) {
        ByteTailSource source(data, size);
        const auto header = ReadPictureHeader(source, extension);
        if (!header || header->Width != static_cast<uint32_t>(b.Width) ||
            header->Height != static_cast<uint32_t>(b.Height) ||
            PictureTooLarge(header->Width, header->Height) ||
            b.Pixels.size() != static_cast<std::size_t>(b.Width) * b.Height * 4)
            std::abort();
    }
    std::vector<uint8_t> longer(data, data + size);
    longer.resize(size + 256, 0xA5);
    const auto again = DecodeOwnPicture(longer.data(), longer.size(), extension);
    if (!again || again->Picture.Bitmap.Pixels != b.Pixels ||
        again->Picture.HasAlpha != result->Picture.HasAlpha)
        std::abort();
    return 0;
}
