#include "tests/support/SaverFiles.h"

#include "core/SaverTail.h"

#include <cstring>

namespace {
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
} // namespace

std::vector<uint8_t> MakeBitmap32(int width, int height,
                                  const std::function<uint32_t(int x, int y)>& pixel) {
    const uint32_t imageSize = static_cast<uint32_t>(width) * height * 4;
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 54 + imageSize);
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height)); // bottom-up
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x)
            Put32(out, pixel(x, y));
    return out;
}

SaverTrailer DefaultTrailer() {
    SaverTrailer t{};
    LoadDefaultSettings(t, 1);
    return t;
}

std::string MakeSaverFile(const TempFolder& dir, const std::string& name,
                          const SaverTrailer& trailer, const std::vector<uint8_t>& logo) {
    std::vector<uint8_t> file = ReadFileBytes(TestDir() + "SaverTemplate.scr");
    const std::vector<uint8_t> tail = BuildSaverTail(trailer, logo);
    file.insert(file.end(), tail.begin(), tail.end());
    const std::string path = dir.Path(name);
    WriteFileBytes(path, file);
    return path;
}
