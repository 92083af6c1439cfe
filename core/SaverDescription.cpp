#include "core/SaverDescription.h"

#include <cstring>

std::string DescriptionSource(const char (&saverName)[TextFieldSize]) {
    std::string source(saverName, FieldLength(saverName));
    source.resize(DescriptionSourceBytes, ' ');
    return source;
}

DescriptionText MakeDescriptionText(const std::u16string& decoded) {
    DescriptionText text{};
    for (std::size_t i = 0; i < DescriptionUnits && i < decoded.size(); ++i)
        text[i] = decoded[i];
    return text;
}

std::optional<std::size_t> FindDescription(const uint8_t* data, std::size_t size) {
    constexpr std::size_t patch = DescriptionUnits * 2;
    if (!data || size < patch)
        return std::nullopt;
    for (std::size_t i = 0; i + patch <= size; ++i) {
        if (data[i] == '!' && data[i + 1] == 0 && data[i + 2] == 'd' && data[i + 4] == 'e' &&
            data[i + 6] == 's' && data[i + 8] == 'c' && data[i + 10] == '!')
            return i;
    }
    return std::nullopt;
}

bool PatchDescription(uint8_t* data, std::size_t size, const DescriptionText& text) {
    const std::optional<std::size_t> at = FindDescription(data, size);
    if (!at)
        return false;
    uint8_t* out = data + *at;
    for (char16_t unit : text) {
        *out++ = static_cast<uint8_t>(unit);
        *out++ = static_cast<uint8_t>(unit >> 8);
    }
    return true;
}
