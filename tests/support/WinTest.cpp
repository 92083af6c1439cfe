#include "tests/support/WinTest.h"

#include <stdexcept>

std::string TestDir() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

TempFolder::TempFolder() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        path_ = std::string(base) + "qvtest" + std::to_string(n) + "\\";
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot make a temporary folder");
    }
}

namespace {

// The names of the files (not folders) that match `pattern`.
std::vector<std::string> FilesMatching(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
    if (!search)
        return names;
    do
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    while (FindNextFileA(search.get(), &found));
    return names;
}

} // namespace

TempFolder::~TempFolder() {
    for (const std::string& name : FilesMatching(path_ + "*"))
        DeleteFileA((path_ + name).c_str());
    RemoveDirectoryA(path_.c_str());
}

int CountFiles(const std::string& pattern) {
    return static_cast<int>(FilesMatching(pattern).size());
}

int CountTempFiles(const std::string& pattern) {
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, folder);
    return CountFiles(folder + pattern);
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        throw std::runtime_error("cannot open " + path);
    std::vector<uint8_t> bytes(GetFileSize(file.get(), nullptr));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size()))
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD put = 0;
    if (!file || (!bytes.empty() && (!WriteFile(file.get(), bytes.data(),
                                                static_cast<DWORD>(bytes.size()), &put, nullptr) ||
                                     put != bytes.size())))
        throw std::runtime_error("cannot write " + path);
}

namespace {

std::wstring FromAnsi(const std::string& text) {
    std::wstring out(text.size(), L'\0');
    out.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                            static_cast<int>(out.size()))));
    return out;
}

} // namespace

ChildProcess::ChildProcess(const std::string& commandLine) : ChildProcess(FromAnsi(commandLine)) {}

ChildProcess::ChildProcess(const std::wstring& commandLine) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::wstring line = commandLine;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                       &pi)) {
        CloseHandle(pi.hThread);
        process_.reset(pi.hProcess);
        id_ = pi.dwProcessId;
    }
}

std::wstring OutsideCodePage() {
    for (const wchar_t* name : {L"\u0418\u0432\u0430\u043d", L"\u03a9\u03bc\u03ad\u03b3\u03b1",
                                L"\u30b9\u30af\u30ea\u30fc\u30f3"}) {
        BOOL lost = FALSE;
        char out[64];
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, out, sizeof out, nullptr,
                            &lost);
        if (lost)
            return name;
    }
    throw std::runtime_error("the code page holds every test name");
}

void RemoveTree(const std::wstring& folder) {
    {
        WIN32_FIND_DATAW found;
        const UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
        for (bool more = static_cast<bool>(search); more;
             more = FindNextFileW(search.get(), &found) != FALSE) {
            const std::wstring name = found.cFileName, path = folder + L"\\" + name;
            if (name == L"." || name == L"..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileW(path.c_str());
        }
    }
    RemoveDirectoryW(folder.c_str());
}

ChildProcess::~ChildProcess() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

DWORD ChildProcess::Wait(DWORD ms) {
    if (!process_ || WaitForSingleObject(process_.get(), ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

namespace {
struct WindowQuery {
    DWORD pid;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* q = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != q->pid || !IsWindowVisible(hwnd))
        return TRUE;
    char text[256] = {};
    if (q->className) {
        GetClassNameA(hwnd, text, sizeof text);
        if (lstrcmpiA(text, q->className) != 0)
            return TRUE;
    }
    if (q->title) {
        GetWindowTextA(hwnd, text, sizeof text);
        if (lstrcmpA(text, q->title) != 0)
            return TRUE;
    }
    q->found = hwnd;
    return FALSE;
}
} // namespace

HWND WaitForWindow(DWORD pid, const char* className, const char* title, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        WindowQuery q{pid, className, title, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
        if (q.found)
            return q.found;
        PumpFor(20);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

std::string MessageBoxText(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}
