#include "core/InstallerScript.h"

#include <cmath>

namespace {

void ReplaceAll(std::wstring& text, const std::wstring& what, const std::wstring& with) {
    // Left to right; what was put in is not searched again by this call.
    for (std::size_t at = text.find(what); at != std::wstring::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

bool EndsWith(const std::wstring& s, const std::wstring& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s)
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    return s;
}

const wchar_t* TrueFalse(bool value) {
    return value ? L"true" : L"false";
}

// "true"/"false" in any case, or a decimal number: non-zero is true.
std::optional<bool> ReadBoolean(const std::wstring& text) {
    std::wstring lower = Lower(text);
    if (lower == L"true")
        return true;
    if (lower == L"false")
        return false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-'))
        ++i;
    bool digits = false, nonZero = false, point = false;
    for (; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'0' && c <= L'9') {
            digits = true;
            nonZero = nonZero || c != L'0';
        } else if (c == L'.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return nonZero;
}

std::wstring TrimSpaces(const std::wstring& s) {
    std::size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return s.substr(first, s.find_last_not_of(L' ') - first + 1);
}

} // namespace

std::wstring FileTitle(const std::wstring& path) {
    std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FileDir(const std::wstring& path) {
    std::size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? path : path.substr(0, slash + 1);
}

std::wstring InstallerOutputBase(const std::wstring& srcScr) {
    std::wstring base = srcScr;
    if (EndsWith(base, L".scr"))
        base.resize(base.size() - 4);
    if (EndsWith(base, L".exe"))
        base.resize(base.size() - 4);
    return base + L"-setup";
}

std::wstring AppIdText(double random) {
    double scaled = std::floor(random * 16777215.0);
    unsigned long id = scaled <= 0            ? 0
                       : scaled >= 16777214.0 ? 16777214ul
                                              : static_cast<unsigned long>(scaled);
    const wchar_t* digits = L"0123456789ABCDEF";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[id & 15]);
        id >>= 4;
    } while (id != 0);
    return text;
}

std::wstring ExpandInstallerTemplate(std::wstring text, const InstallerOptions& o,
                                     const std::wstring& appId) {
    ReplaceAll(text, L"$DIR$", o.SysDir ? L"{syswow64}\\" : L"{pf}\\$NAME$");
    ReplaceAll(text, L"$NAME$", o.Name);
    ReplaceAll(text, L"$ABOUT$", o.About);
    ReplaceAll(text, L"$WEBSITE$", o.WebSite);
    ReplaceAll(text, L"$SRCSCR$", o.SrcScr);
    ReplaceAll(text, L"$SCR$", FileTitle(o.SrcScr));
    ReplaceAll(text, L"$OUTDIR$", o.OutDir);
    ReplaceAll(text, L"$OUTFILE$", o.OutFile);
    ReplaceAll(text, L"$STARTMENU$", TrueFalse(o.StartMenu));
    ReplaceAll(text, L"$UNINSTALL$", TrueFalse(o.Uninstall));
    ReplaceAll(text, L"$APPID$", appId);
    ReplaceAll(text, L"$ACTIVE$", o.Active ? L"" : L"unchecked");
    ReplaceAll(text, L"$LOGIN$", o.Logon ? L"" : L"unchecked");
    return text;
}

std::optional<std::wstring> ApplyConditions(std::wstring line) {
    line = TrimSpaces(line);
    while (line.size() >= 3 && Lower(line.substr(0, 3)) == L"$if") {
        // "$if", the condition and the rest, split at the first two spaces.
        std::size_t first = line.find(L' ');
        std::size_t second = first == std::wstring::npos ? first : line.find(L' ', first + 1);
        std::wstring condition =
            first == std::wstring::npos
                ? std::wstring()
                : line.substr(first + 1, second == std::wstring::npos ? std::wstring::npos
                                                                      : second - first - 1);
        std::wstring rest = second == std::wstring::npos ? std::wstring() : line.substr(second + 1);
        bool negate = !condition.empty() && condition[0] == L'!';
        if (negate)
            condition.erase(0, 1);
        std::optional<bool> value = ReadBoolean(condition);
        if (!value)
            return std::nullopt;
        line = *value != negate ? rest : std::wstring();
    }
    return line;
}

std::optional<std::vector<std::wstring>> MakeScriptLines(const std::wstring& text,
                                                         std::size_t& badLine) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (;;) {
        std::size_t lf = text.find(L'\n', start);
        std::optional<std::wstring> line = ApplyConditions(
            text.substr(start, lf == std::wstring::npos ? std::wstring::npos : lf - start));
        if (!line) {
            badLine = lines.size();
            return std::nullopt;
        }
        lines.push_back(std::move(*line));
        if (lf == std::wstring::npos)
            break;
        start = lf + 1;
    }
    return lines;
}
