#include "bench/DisplayServer.h"

#include "common/Handles.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* Proc = "Z:\\proc\\";

std::string ReadAll(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    if (!file)
        return {};
    std::string text;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    return text;
}

// ":135" for DISPLAY=":135.0" or "host:135"; empty when there is none.
std::string DisplayArgument() {
    char value[256] = {};
    const DWORD n = GetEnvironmentVariableA("DISPLAY", value, sizeof value);
    if (n == 0 || n >= sizeof value)
        return {};
    std::string display(value, n);
    const size_t colon = display.rfind(':');
    if (colon == std::string::npos)
        return {};
    display = display.substr(colon);
    return display.substr(0, display.find('.'));
}

// The process whose command line is an X server's for `display`; empty when none.
std::string FindServer(const std::string& display) {
    WIN32_FIND_DATAA entry;
    const UniqueFind find(FindFirstFileA((std::string(Proc) + "*").c_str(), &entry));
    if (!find)
        return {};
    std::string found;
    do {
        const std::string pid = entry.cFileName;
        if (pid.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string line = ReadAll(Proc + pid + "\\cmdline");
        std::vector<std::string> args;
        for (size_t at = 0; at < line.size();) {
            const size_t end = line.find('\0', at);
            args.push_back(line.substr(at, end - at));
            at = end == std::string::npos ? line.size() : end + 1;
        }
        if (args.size() < 2)
            continue;
        const std::string program = args[0].substr(args[0].find_last_of('/') + 1);
        if (program != "Xvfb" && program != "Xorg" && program != "X")
            continue;
        for (size_t i = 1; i < args.size() && found.empty(); ++i)
            if (args[i] == display)
                found = pid;
    } while (found.empty() && FindNextFileA(find.get(), &entry));
    return found;
}

} // namespace

double DisplayServerCpuMs() {
    static const std::string display = DisplayArgument();
    static const std::string server = display.empty() ? std::string() : FindServer(display);
    if (server.empty())
        return -1;
    // Fields 14 and 15 (user and system time, in ticks of 1/100 s) come
    // after the command name, which is in parentheses and may hold blanks.
    const std::string stat = ReadAll(Proc + server + "\\stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    double ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i >= 14)
            ticks += std::strtod(field.c_str(), nullptr);
    return ticks * 10.0;
}
