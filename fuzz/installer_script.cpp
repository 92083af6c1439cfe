// Any bytes as the user's texts in the real installer script: read the way
// the script compiler reads it, every line must have the shape the same line
// has with plain values. Same lines kept and dropped, same sections,
// comments and directives, the same parameters or [Setup] key, and the same
// constants with as many arguments each: a text can neither start nor end
// any of these. No line holds what the preprocessor runs or joins lines at,
// and only a path holding the preprocessor's "{#" is refused.
#include "core/CreatorError.h"
#include "core/InstallerScript.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring Template() {
    std::ifstream file(QV_SOURCE_DIR "/resources/installer_script.iss", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    if (bytes.empty())
        std::abort();
    return {bytes.begin(), bytes.end()};
}

std::vector<std::wstring> Lines(const InstallerOptions& options) {
    static const std::wstring text = Template();
    std::size_t bad = 0;
    auto lines = MakeScriptLines(ExpandInstallerTemplate(text, options, L"1A"), bad);
    if (!lines)
        std::abort();
    return std::move(*lines);
}

// The constants of a value in order, each as its name and its number of
// arguments; "{{" is a brace and "{cm:NumberSign}" a "#".
void Constants(const std::wstring& value, std::wstring& shape) {
    std::size_t at = 0;
    const auto one = [&](const auto& self) -> void {
        const std::size_t start = at;
        int arguments = 0;
        while (at < value.size() && value[at] != L'}') {
            if (value[at] == L'{') {
                ++at;
                self(self);
                continue;
            }
            if (value[at] == L',' || value[at] == L'|')
                ++arguments;
            ++at;
        }
        shape += L'{' + value.substr(start, value.find_first_of(L":,|}", start) - start) + L'/' +
                 std::to_wstring(arguments) + L'}';
        ++at;
    };
    const std::wstring numberSign = L"{cm:NumberSign}";
    while (at < value.size()) {
        if (value[at] == L'{' && at + 1 < value.size() && value[at + 1] == L'{') {
            at += 2;
        } else if (value.compare(at, numberSign.size(), numberSign) == 0) {
            at += numberSign.size(); // the "#" of a typed "{#"
        } else if (value[at++] == L'{') {
            one(one);
        }
    }
}

// A line as the compiler sees it: what starts it and, for a parameter
// line, each parameter's name and constants; for a [Setup] line its key.
std::wstring Shape(std::wstring line) {
    while (!line.empty() && (line.back() == L'\r' || line.back() == L' '))
        line.pop_back();
    if (line.empty())
        return L"blank";
    if (line[0] == L'[' || line[0] == L';' || line[0] == L'#')
        return line;
    std::wstring shape;
    const std::size_t equals = line.find(L'=');
    if (equals != std::wstring::npos && line.find(L':') > equals) {
        const std::wstring key = line.substr(0, equals);
        std::wstring value = line.substr(equals + 1);
        if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"')
            value = value.substr(1, value.size() - 2);
        shape = L"key " + key;
        if (key != L"OutputDir" && key != L"OutputBaseFilename")
            Constants(value, shape);
        return shape;
    }
    for (std::size_t at = 0; at < line.size();) {
        const std::size_t colon = line.find(L':', at);
        if (colon == std::wstring::npos)
            return shape + L" junk";
        shape += L" " + line.substr(at, colon - at);
        at = line.find_first_not_of(L' ', colon + 1);
        std::wstring value;
        if (at != std::wstring::npos && line[at] == L'"') {
            for (++at;; ++at) {
                if (at >= line.size())
                    return shape + L" open quote";
                if (line[at] == L'"' && (at + 1 >= line.size() || line[at + 1] != L'"'))
                    break;
                if (line[at] == L'"')
                    ++at;
                value += line[at];
            }
            at = line.find_first_not_of(L' ', at + 1);
            if (at != std::wstring::npos && line[at] != L';')
                return shape + L" after quote";
        } else if (at != std::wstring::npos) {
            const std::size_t end = std::min(line.find(L';', at), line.size());
            value = line.substr(at, end - at);
            at = end;
        }
        const bool compilerReads =
            shape.size() >= 7 && shape.substr(shape.size() - 7) == L" Source";
        if (!compilerReads) // the compiler reads the source path, braces and all
            Constants(value, shape);
        if (at == std::wstring::npos)
            break;
        at = line.find_first_not_of(L' ', at + 1);
    }
    return shape;
}

// The next text: bytes below 0x80 as they are, others as the high half of
// a character whose low half is the next byte; a 0 byte ends it.
std::wstring Text(const uint8_t*& data, const uint8_t* end) {
    std::wstring text;
    while (data < end && *data != 0) {
        wchar_t c = *data++;
        if (c >= 0x80 && data < end)
            c = static_cast<wchar_t>((c - 0x80) << 8 | *data++);
        text += c;
    }
    if (data < end)
        ++data;
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const uint8_t* end = data + size;
    const uint8_t switches = *data++;
    InstallerOptions plain;
    plain.StartMenu = switches & 1;
    plain.Uninstall = switches & 2;
    plain.Active = switches & 4;
    plain.Logon = switches & 8;
    plain.SysDir = switches & 16;
    InstallerOptions typed = plain;
    for (std::wstring* field :
         {&typed.Name, &typed.About, &typed.WebSite, &typed.SrcScr, &typed.OutDir, &typed.OutFile})
        *field = Text(data, end);
    // The shapes of the plain script for each set of switches, made once.
    static std::vector<std::wstring> plainShapes[32];
    std::vector<std::wstring>& want = plainShapes[switches & 31];
    if (want.empty()) {
        for (std::wstring* field : {&plain.Name, &plain.About, &plain.WebSite, &plain.SrcScr,
                                    &plain.OutDir, &plain.OutFile})
            *field = L"x";
        for (const std::wstring& line : Lines(plain))
            want.push_back(Shape(line));
    }
    std::vector<std::wstring> got;
    try {
        got = Lines(typed);
    } catch (const CreatorError&) {
        // Refused only for a path the preprocessor would run a part of.
        for (const std::wstring* path : {&typed.SrcScr, &typed.OutDir, &typed.OutFile})
            if (path->find(L"{#") != std::wstring::npos)
                return 0;
        std::abort();
    }
    if (got.size() != want.size())
        std::abort();
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (Shape(got[i]) != want[i])
            std::abort();
        // Nothing the preprocessor runs, nor a line it joins to the next.
        std::wstring line = got[i];
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        if (line.find(L"{#") != std::wstring::npos ||
            (line.size() >= 2 && line.compare(line.size() - 2, 2, L" \\") == 0))
            std::abort();
    }
    return 0;
}
