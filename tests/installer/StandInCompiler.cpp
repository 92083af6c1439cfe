// A stand-in for Inno Setup's ISCmplr.dll, for tests: the same entry point,
// record and callbacks, but instead of a setup program it writes what it
// received beside the output, so that tests can read the script back.
//
//  - pulls every line through iscbReadScript until a null line;
//  - reports progress 0..100 in steps of 10 through iscbNotifyIdle, 5 ms
//    apart;
//  - reports iscbNotifyError for each line that holds "#error " (the rest of
//    the line is the message, no file name), for a "MessagesFile:
//    compiler:Default.isl" line when Default.isl is not in the compiler path
//    (with its full path as the file name), for a line holding "{#" (the
//    preprocessor would run it) and for a "Source:" file that is not there
//    (the compiler reads that path as it stands, braces and all);
//  - writes <OutputDir><OutputBaseFilename>.iss (the two values without
//    enclosing quotes, as the compiler reads them): every line as received, each
//    followed by LF; <...>.params: size, compiler path, source path,
//    application data and options, one per line; and, when nothing failed,
//    <...>.exe;
//  - returns 0 when nothing failed, else isceCompileFailure.
#include "wizard/frame/InnoCompiler.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string Chomp(std::string s) {
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s;
}

std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
    for (const std::string& line : lines)
        if (line.compare(0, key.size(), key) == 0) {
            std::string value = Chomp(line.substr(key.size()));
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            return value;
        }
    return {};
}

// The quoted first parameter of a "Source:" line, its doubled quotes single.
std::string SourceOf(const std::string& line) {
    std::string path;
    for (std::size_t at = line.find('"') + 1; at < line.size(); ++at) {
        if (line[at] == '"' && (at + 1 >= line.size() || line[at + 1] != '"'))
            break;
        if (line[at] == '"')
            ++at;
        path += line[at];
    }
    return path;
}

bool WriteText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

void Error(const CompileScriptParams* p, const std::string& message, const char* file, int line) {
    NotifyErrorData data{message.c_str(), file, line};
    p->CallbackProc(iscbNotifyError, &data, p->AppData);
}

} // namespace

extern "C" __declspec(dllexport) int WINAPI ISDllCompileScript(const CompileScriptParams* p) {
    if (!p || p->Size != sizeof(CompileScriptParams) || !p->CallbackProc || !p->CompilerPath ||
        !p->SourcePath || !p->Options)
        return isceInvalidParam;

    std::vector<std::string> lines;
    for (;;) {
        ReadScriptData data{lines.empty() ? TRUE : FALSE, nullptr};
        p->CallbackProc(iscbReadScript, &data, p->AppData);
        if (!data.LineRead)
            break;
        lines.emplace_back(data.LineRead);
        if (lines.size() > 100000)
            return isceInvalidParam; // never ends
    }

    for (DWORD pos = 0; pos <= 100; pos += 10) {
        NotifyIdleData idle{pos, 100, static_cast<int>(100 - pos) / 10, 1000};
        p->CallbackProc(iscbNotifyIdle, &idle, p->AppData);
        Sleep(5); // compressing takes a while, so the caller's timers come due
    }

    int errors = 0;
    const std::string messages = std::string(p->CompilerPath) + "Default.isl";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        std::size_t at = line.find("#error ");
        if (at != std::string::npos) {
            Error(p, Chomp(line.substr(at + 7)), nullptr, static_cast<int>(i + 1));
            ++errors;
        }
        if (line.find("{#") != std::string::npos) {
            Error(p, "The preprocessor would run a part of this line", nullptr,
                  static_cast<int>(i + 1));
            ++errors;
        }
        if (line.compare(0, 9, "Source: \"") == 0 &&
            GetFileAttributesA(SourceOf(line).c_str()) == INVALID_FILE_ATTRIBUTES) {
            Error(p, "Source file \"" + SourceOf(line) + "\" does not exist", nullptr,
                  static_cast<int>(i + 1));
            ++errors;
        }
        if (line.find("MessagesFile: compiler:Default.isl") != std::string::npos &&
            GetFileAttributesA(messages.c_str()) == INVALID_FILE_ATTRIBUTES) {
            Error(p, "Couldn't open the messages file", messages.c_str(), static_cast<int>(i + 1));
            ++errors;
        }
    }

    std::string base = ValueOf(lines, "OutputDir=") + ValueOf(lines, "OutputBaseFilename=");
    std::string script;
    for (const std::string& line : lines)
        script += line + "\n";
    std::string params = std::to_string(p->Size) + "\n" + p->CompilerPath + "\n" + p->SourcePath +
                         "\n" + std::to_string(p->AppData) + "\n" + p->Options + "\n";
    if (!WriteText(base + ".iss", script) || !WriteText(base + ".params", params)) {
        Error(p, "Cannot write beside the output", base.c_str(), 0);
        return isceCompileFailure;
    }
    if (errors > 0)
        return isceCompileFailure;
    WriteText(base + ".exe", "MZ stand-in setup program\n");
    return isceNoError;
}
