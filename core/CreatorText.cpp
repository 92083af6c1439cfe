#include "core/CreatorText.h"

#include "core/CreatorError.h"

#include <cmath>
#include <cstdlib>

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& from,
                        const std::wstring& to) {
    if (from.empty())
        return text;
    std::wstring out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::wstring::npos;
         pos = hit + from.size())
        out.append(text, pos, hit - pos).append(to);
    return out.append(text, pos, std::wstring::npos);
}

namespace {

std::wstring TrimSpaces(const std::wstring& s) {
    const std::size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::wstring CatStr(const std::wstring& a0, const std::wstring& b0, const std::wstring& sep) {
    const std::wstring a = TrimSpaces(a0);
    std::wstring b = TrimSpaces(b0);
    if (a.empty() || b.empty())
        return a + b;
    const bool aEnds = !sep.empty() && a.back() == sep[0];
    const bool bStarts = !sep.empty() && b.front() == sep[0];
    if (aEnds) {
        if (bStarts)
            b.erase(0, 1);
        return a + b;
    }
    if (bStarts)
        return a + b;
    return a + sep + b;
}

std::wstring ChopNull(const std::wstring& s) {
    return s.substr(0, s.find(L'\0'));
}

std::wstring FileChars(const std::wstring& s) {
    static const std::wstring kept = L"-_.=+[]@{})(^ ";
    std::wstring out = s;
    for (wchar_t& c : out) {
        if (c == L'\0')
            break;
        const wchar_t lower = (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
        if ((lower >= L'0' && lower <= L'9') || (lower >= L'a' && lower <= L'z'))
            continue;
        if (kept.find(c) == std::wstring::npos)
            c = L'_';
    }
    return out;
}

bool StartsWith(const std::wstring& s, const std::wstring& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::wstring& s, const std::wstring& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::wstring AdjustCaption(const std::wstring& text, const std::wstring& appVersionText) {
    static const std::wstring app = L"Quorvel Screensaver Creator";
    std::wstring s = ReplaceAll(text, L"\\n", L"\r\n");
    s = ReplaceAll(s, L"<App>", app);
    s = ReplaceAll(s, L"<Version>", appVersionText);
    s = ReplaceAll(s, L"<AppVer>", CatStr(app, appVersionText, L" "));
    return ReplaceAll(s, L"<AppName>", app);
}

double LeadingNumber(const std::wstring& text) {
    // Blanks, tabs and line feeds are skipped anywhere in the number.
    std::string digits;
    bool seenDigit = false, seenPoint = false, seenExp = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L' ' || c == L'\t' || c == L'\n' || c == L'\r')
            continue;
        const char last = digits.empty() ? '\0' : digits.back();
        if (c >= L'0' && c <= L'9') {
            digits += static_cast<char>(c);
            seenDigit = true;
        } else if ((c == L'+' || c == L'-') && (digits.empty() || last == 'e')) {
            digits += static_cast<char>(c);
        } else if (c == L'.' && !seenPoint && !seenExp) {
            digits += '.';
            seenPoint = true;
        } else if ((c == L'e' || c == L'E' || c == L'd' || c == L'D') && seenDigit && !seenExp) {
            digits += 'e';
            seenExp = true;
        } else {
            break;
        }
    }
    while (!digits.empty() &&
           (digits.back() == 'e' || digits.back() == '+' || digits.back() == '-'))
        digits.pop_back();
    if (!seenDigit)
        return 0.0;
    const double value = std::strtod(digits.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0;
}

double BinToNum(const std::wstring& bits) {
    double value = 0.0;
    for (wchar_t c : bits) {
        if (c < L'0' || c > L'9')
            Raise(ErrTypeMismatch);
        value = value * 2.0 + (c - L'0');
    }
    return value;
}

std::wstring SplitLeft(std::wstring& s, int32_t n) {
    if (n < 0)
        Raise(ErrInvalidCall);
    std::wstring left = s.substr(0, static_cast<std::size_t>(n));
    s.erase(0, left.size());
    return left;
}

std::wstring ByteToBits(uint8_t byte) {
    std::wstring bits(8, L'0');
    for (int i = 0; i < 8; ++i)
        if (byte & (0x80 >> i))
            bits[i] = L'1';
    return bits;
}

std::wstring BytesToBits(const uint8_t* bytes, std::size_t size, int32_t count, int32_t start) {
    std::wstring bits;
    if (count <= 0)
        return bits;
    if (start < 0 || static_cast<std::size_t>(start) + static_cast<std::size_t>(count) > size)
        Raise(ErrSubscript);
    bits.reserve(static_cast<std::size_t>(count) * 8);
    for (int32_t i = 0; i < count; ++i)
        bits += ByteToBits(bytes[start + i]);
    return bits;
}
