#include "core/SaverCommandLine.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p))
        ++p;
    return p;
}

const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p && *p != '"')
            ++p;
        if (*p == '"')
            ++p;
    } else {
        while (*p && !IsBlank(*p))
            ++p;
    }
    return SkipBlanks(p);
}

// A decimal handle; too many digits for 64 bits counts as none.
void ReadHandle(const char* p, SaverCommandLine& line) {
    uint64_t value = 0;
    bool any = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        const uint64_t digit = static_cast<uint64_t>(*p - '0');
        if (value > (UINT64_MAX - digit) / 10)
            return;
        value = value * 10 + digit;
        any = true;
    }
    line.HasWindow = any;
    line.Window = any ? value : 0;
}

} // namespace

SaverCommandLine ParseSaverCommandLine(const char* commandLine) {
    SaverCommandLine line;
    if (!commandLine)
        return line;
    const char* p = SkipProgramName(commandLine);
    while (IsBlank(*p) || *p == '-' || *p == '/')
        ++p;
    switch (*p) {
    case '\0':
        line.Command = SaverCommand::None;
        break;
    case 'c':
    case 'C':
        line.Command = SaverCommand::Configure;
        ++p;
        if (*p == ':')
            ++p;
        ReadHandle(SkipBlanks(p), line);
        break;
    case 's':
    case 'S':
        line.Command = SaverCommand::Saver;
        break;
    case 'p':
    case 'P':
    case 'l':
    case 'L':
        line.Command = SaverCommand::Preview;
        ReadHandle(SkipBlanks(p + 1), line);
        break;
    case 'a':
    case 'A':
        line.Command = SaverCommand::Password;
        ReadHandle(SkipBlanks(p + 1), line);
        break;
    default:
        line.Command = SaverCommand::Unknown;
        break;
    }
    return line;
}
