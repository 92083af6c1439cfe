// Any bytes as a text the creator reads back from the registry or a file
// name it cleans: the number reader, rounding, file-name cleaning, joining
// and the bit-string helpers must neither crash nor read outside the text.
#include "core/CreatorError.h"
#include "core/CreatorMath.h"
#include "core/CreatorText.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    try {
        (void)RoundHalfEven(LeadingNumber(text));
    } catch (const CreatorError&) {
    }
    (void)FileChars(text);
    (void)CatStr(text, text, text.substr(0, 1));
    (void)AdjustCaption(text, text);
    try {
        (void)BinToNum(text);
    } catch (const CreatorError&) {
    }
    std::wstring rest = text;
    (void)SplitLeft(rest, static_cast<int32_t>(size % 7));
    if (size > 2) {
        try {
            (void)BytesToBits(data, size, data[0] % 16, data[1] % 16);
        } catch (const CreatorError&) {
        }
    }
    return 0;
}
