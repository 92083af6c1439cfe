#include "core/InstallerScript.h"

#include "core/CreatorError.h"

#include <cmath>
#include <cwchar>
#include <string_view>

namespace {

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

namespace {

bool IsControl(wchar_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

// What the script reads where a value is put: the compiler expands "{...}"
// constants (not in the paths it reads itself, where a brace is a brace), a
// parameter in double quotes ends at a lone quote, and the arguments of a
// constant end at "," "|" or "}". The preprocessor runs "{#...}" anywhere.
struct ValueContext {
    bool Quoted = false;
    bool InConstant = false;
    bool FileNamePart = false;
    bool CompileTime = false;
};

// The preprocessor's inline call, which no value may hold.
constexpr std::wstring_view InlineCall = L"{#";

// The saver's name where it names a folder or a shortcut: no character a
// file name cannot hold, and never a step up or the same folder, also once
// Windows has dropped the trailing dots and blanks.
std::wstring AsFileNamePart(std::wstring name) {
    for (wchar_t& c : name)
        if (std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos)
            c = L'_';
    if (name.find_first_not_of(L". ") == std::wstring::npos)
        for (wchar_t& c : name)
            c = L'_';
    return name;
}

std::wstring AsLiteral(const std::wstring& value, const ValueContext& where) {
    std::wstring text = value;
    for (wchar_t& c : text)
        if (IsControl(c))
            c = L' ';
    if (where.FileNamePart)
        text = AsFileNamePart(std::move(text));
    if (where.CompileTime && text.find(InlineCall) != std::wstring::npos)
        throw CreatorError(ErrInvalidCall,
                           L"The installer cannot be built from a path holding \"{#\", which the "
                           L"script compiler would run as a command: " +
                               text);
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (where.InConstant && std::wstring_view(L"%,|{}").find(c) != std::wstring_view::npos) {
            const wchar_t* digits = L"0123456789abcdef";
            out += L'%';
            out += digits[(c >> 4) & 15];
            out += digits[c & 15];
            continue;
        }
        if (!where.InConstant && !where.CompileTime) {
            if (c == L'{') {
                out += L'{';
            } else if (c == L'#' && i > 0 && text[i - 1] == L'{') {
                // "{{#" would still hold the preprocessor's "{#".
                out += L"{cm:NumberSign}";
                continue;
            }
        }
        if (c == L'"' && where.Quoted)
            out += L'"';
        out += c;
    }
    return out;
}

bool IsBlankOrQuote(wchar_t c) {
    return c == L' ' || c == L'"';
}

// A [Setup] value loses its blanks and its enclosing quotes at both ends,
// and a line ending in " \" is joined to the next by the preprocessor: such
// a value goes in quotes, which the compiler takes off.
std::wstring AsDirectiveValue(std::wstring literal) {
    const std::size_t n = literal.size();
    if (n > 0 && (IsBlankOrQuote(literal[0]) || IsBlankOrQuote(literal[n - 1]) ||
                  (n >= 2 && literal[n - 1] == L'\\' && literal[n - 2] == L' ')))
        return L'"' + literal + L'"';
    return literal;
}

// Whether `line`, the start of a template line, is a [Setup] key and "="
// once its "$if" conditions are applied, so that a value put next is its
// whole value when the line ends there.
bool IsDirectiveStart(const std::wstring& line) {
    const std::optional<std::wstring> kept = ApplyConditions(line);
    return kept && kept->size() >= 2 && kept->back() == L'=' &&
           kept->find_first_not_of(
               L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789") ==
               kept->size() - 1;
}

struct Placeholder {
    const wchar_t* Name;
    std::wstring Value;
    bool CompileTime = false; // a path the compiler itself reads
};

} // namespace

std::wstring ExpandInstallerTemplate(std::wstring text, const InstallerOptions& o,
                                     const std::wstring& appId) {
    // One pass from left to right: a value put in is never read again, so
    // nothing typed becomes a placeholder, a condition or a line.
    const Placeholder values[] = {
        {L"$ABOUT$", o.About},
        {L"$WEBSITE$", o.WebSite},
        {L"$SRCSCR$", o.SrcScr, true},
        {L"$SCR$", FileTitle(o.SrcScr)},
        {L"$OUTDIR$", o.OutDir, true},
        {L"$OUTFILE$", o.OutFile, true},
        {L"$STARTMENU$", TrueFalse(o.StartMenu)},
        {L"$UNINSTALL$", TrueFalse(o.Uninstall)},
        {L"$APPID$", appId},
        {L"$ACTIVE$", o.Active ? L"" : L"unchecked"},
        {L"$LOGIN$", o.Logon ? L"" : L"unchecked"},
    };
    std::wstring out;
    out.reserve(text.size());
    std::size_t lineStart = 0;
    ValueContext where;
    int depth = 0;
    const auto nameIsTitle = [&] {
        const std::wstring line = TrimSpaces(out.substr(lineStart));
        return line.rfind(L"AppName=", 0) == 0 || line.rfind(L"AppVerName=", 0) == 0;
    };
    for (std::size_t at = 0; at < text.size();) {
        const wchar_t c = text[at];
        if (c == L'$') {
            const auto put = [&](const wchar_t* name, const std::wstring& value, bool fileName,
                                 bool compileTime) {
                const std::size_t length = std::wcslen(name);
                if (text.compare(at, length, name) != 0)
                    return false;
                ValueContext here = where;
                here.InConstant = depth > 0;
                here.FileNamePart = fileName;
                here.CompileTime = compileTime;
                std::wstring literal = AsLiteral(value, here);
                const bool lineEnds = at + length == text.size() || text[at + length] == L'\r' ||
                                      text[at + length] == L'\n';
                if (lineEnds && IsDirectiveStart(out.substr(lineStart)))
                    literal = AsDirectiveValue(std::move(literal));
                out += literal;
                at += length;
                return true;
            };
            if (text.compare(at, 5, L"$DIR$") == 0) {
                if (o.SysDir)
                    out += L"{syswow64}\\";
                else
                    out += L"{pf}\\" + AsLiteral(o.Name, {where.Quoted, depth > 0, true});
                at += 5;
                continue;
            }
            bool replaced = put(L"$NAME$", o.Name, !nameIsTitle(), false);
            for (const Placeholder& p : values)
                replaced = replaced || put(p.Name, p.Value, false, p.CompileTime);
            if (replaced)
                continue;
        }
        if (c == L'\n') {
            lineStart = out.size() + 1;
            where = {};
            depth = 0;
        } else if (c == L'"') {
            where.Quoted = !where.Quoted;
        } else if (c == L'{') {
            if (at + 1 < text.size() && text[at + 1] == L'{') {
                out += L"{{";
                at += 2;
                continue;
            }
            ++depth;
        } else if (c == L'}' && depth > 0) {
            --depth;
        }
        out += c;
        ++at;
    }
    return out;
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
