#include "core/LinkStyle.h"

#include <cctype>

namespace {

// The leading decimal number of a part, as atoi reads it (blanks, a sign,
// digits); saturates instead of overflowing.
int64_t LeadingNumber(std::string_view part) {
    std::size_t i = 0;
    while (i < part.size() && std::isspace(static_cast<unsigned char>(part[i])))
        ++i;
    bool negative = false;
    if (i < part.size() && (part[i] == '+' || part[i] == '-'))
        negative = part[i++] == '-';
    int64_t value = 0;
    for (; i < part.size() && std::isdigit(static_cast<unsigned char>(part[i])); ++i)
        if (value < 0x7FFFFFFF)
            value = value * 10 + (part[i] - '0');
    if (value > 0x7FFFFFFF)
        value = 0x7FFFFFFF;
    return negative ? -value : value;
}

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// strnicmp-like: the first `n` characters equal without case, where the end
// of either text counts as a NUL.
bool EqualPrefixNoCase(std::string_view a, std::string_view b, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        const char ca = i < a.size() ? Lower(a[i]) : '\0';
        const char cb = i < b.size() ? Lower(b[i]) : '\0';
        if (ca != cb)
            return false;
        if (ca == '\0')
            return true;
    }
    return true;
}

} // namespace

uint32_t ParseAnchorColor(std::string_view text) {
    // A registry text may carry its terminator and padding.
    text = text.substr(0, text.find('\0'));
    int64_t part[3] = {255, 0, 0};
    std::string_view rest = text;
    for (int i = 0; i < 2; ++i) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos) {
            rest = {};
            break;
        }
        part[i] = LeadingNumber(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
        if (i == 1)
            part[2] = LeadingNumber(rest);
    }
    const auto byte = [](int64_t v) { return static_cast<uint32_t>(v) & 0xFFu; };
    return byte(part[0]) | byte(part[1]) << 8 | byte(part[2]) << 16;
}

LinkUnderline ParseUnderlineMode(std::optional<std::string_view> text) {
    if (!text)
        return UnderlineAlways;
    const std::string_view value = text->substr(0, text->find('\0'));
    if (EqualPrefixNoCase(value, "no", 5))
        return UnderlineNever;
    if (EqualPrefixNoCase(value, "hover", 5))
        return UnderlineHover;
    return UnderlineAlways;
}

bool IsYes(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    return text.size() == 3 && EqualPrefixNoCase(text, "yes", 3);
}

std::string LinkText(std::string_view webAddress) {
    webAddress = webAddress.substr(0, webAddress.find('\0'));
    if (webAddress.find_first_not_of(' ') == std::string_view::npos)
        return {};
    return std::string(webAddress);
}

std::string LinkTarget(std::string_view text) {
    text = text.substr(0, text.find('\0')).substr(0, 74);
    // "https://" addresses are kept too: "http://https://..." opens nothing.
    for (std::string_view scheme : {"http://", "https://"})
        if (text.size() >= scheme.size() && EqualPrefixNoCase(text, scheme, scheme.size()))
            return std::string(text);
    return "http://" + std::string(text);
}
