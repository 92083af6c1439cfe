#include "core/LinkLook.h"

#include "core/CreatorMath.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>

namespace {

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && (s.front() == L' ' || s.front() == L'\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == L' ' || s.back() == L'\t'))
        s.remove_suffix(1);
    return s;
}

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (auto& c : out)
        c = static_cast<wchar_t>(std::towlower(c));
    return out;
}

// A plain decimal number: optional sign, digits, optional fraction.
std::optional<double> NumberOf(std::wstring_view s) {
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
        negative = s[i++] == L'-';
    double value = 0, scale = 0.1;
    bool digits = false, fraction = false;
    for (; i < s.size(); ++i) {
        const wchar_t c = s[i];
        if (c >= L'0' && c <= L'9') {
            digits = true;
            if (fraction) {
                value += (c - L'0') * scale;
                scale /= 10;
            } else {
                value = value * 10 + (c - L'0');
            }
        } else if (c == L'.' && !fraction) {
            fraction = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return negative ? -value : value;
}

} // namespace

uint32_t LinkColourOf(std::wstring_view text, uint32_t fallback) {
    int32_t parts[3] = {};
    int count = 0;
    while (true) {
        const size_t comma = text.find(L',');
        const std::wstring_view part = Trim(text.substr(0, comma));
        if (count == 3 || part.size() > 3)
            return fallback;
        const std::optional<double> number = NumberOf(part);
        if (!number)
            return fallback;
        parts[count++] = RoundHalfEven(std::clamp(*number, 0.0, 255.0));
        if (comma == std::wstring_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    if (count != 3)
        return fallback;
    return static_cast<uint32_t>(parts[0] | (parts[1] << 8) | (parts[2] << 16));
}

LinkUnderlines LinkUnderlinesOf(std::wstring_view text, LinkUnderlines current) {
    const std::wstring word = Lower(Trim(text));
    if (word == L"no" || word == L"never" || word == L"0")
        return {false, false};
    if (word == L"always" || word == L"yes" || word == L"1")
        return {true, true};
    if (word == L"hover")
        return {false, true};
    return current;
}

bool LinkHoverColourOn(std::wstring_view text) {
    return Lower(text) == L"yes";
}
