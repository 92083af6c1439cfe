#include "tests/gallery/GalleryDriver.h"

#include <stdexcept>

namespace {

std::wstring ProgramBeside(const wchar_t* name) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

DWORD OwnerOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

void Send(INPUT in) {
    SendInput(1, &in, sizeof in);
}

INPUT Mouse(DWORD flags, DWORD data = 0) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.mouseData = data;
    return in;
}

} // namespace

Gallery::Gallery(const std::wstring& arguments) {
    std::wstring command = L"\"" + ProgramBeside(L"ControlGallery.exe") + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        throw std::runtime_error("ControlGallery.exe does not start");
    process_.reset(info.hProcess);
    CloseHandle(info.hThread);
    pid_ = info.dwProcessId;
    WaitUntil(
        [this] {
            window_ = FindWindowW(nullptr, L"Control Gallery");
            return window_ && OwnerOf(window_) == pid_ && IsWindowVisible(window_);
        },
        20000);
    if (!window_ || OwnerOf(window_) != pid_)
        throw std::runtime_error("no Control Gallery window");
    log_ = Child(L"Edit");
    Settle(300);
}

Gallery::~Gallery() {
    if (window_)
        PostMessageW(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(process_.get(), 1);
}

namespace {

struct ChildSearch {
    const wchar_t* name;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM search) {
    auto& s = *reinterpret_cast<ChildSearch*>(search);
    if (ClassOf(window) == s.name)
        s.found.push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> Gallery::Children(const wchar_t* className) const {
    ChildSearch search{className, {}};
    EnumChildWindows(window_, CollectChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND Gallery::Child(const wchar_t* className, size_t nth) const {
    const auto all = Children(className);
    return nth < all.size() ? all[nth] : nullptr;
}

HWND Gallery::OtherWindow(const std::function<bool(HWND)>& accept) const {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        if (w != window_ && OwnerOf(w) == pid_ && IsWindowVisible(w) && accept(w))
            return w;
    return nullptr;
}

HWND Gallery::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info);
    return info.hwndFocus;
}

std::vector<std::wstring> Gallery::Log() const {
    std::wstring text(8192, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(log_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

bool Gallery::WaitForTail(const std::vector<std::wstring>& tail, DWORD ms) const {
    return WaitUntil(
        [&] {
            const auto lines = Log();
            return lines.size() >= tail.size() &&
                   std::equal(tail.begin(), tail.end(), lines.end() - tail.size());
        },
        ms);
}

bool Gallery::WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > ms)
            return false;
        Sleep(20);
    }
    return true;
}

void Gallery::Settle(DWORD ms) {
    Sleep(ms);
}

void Gallery::AskInto(HWND window, UINT message, WPARAM wParam, void* answer, size_t size) const {
    void* remote =
        VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        throw std::runtime_error("no memory in the gallery");
    WriteProcessMemory(process_.get(), remote, answer, size, nullptr);
    SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process_.get(), remote, answer, size, nullptr);
    VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
}

void Gallery::BringForward(HWND front, POINT screen) const {
    // A window holding the capture gets the clicks only while its program is
    // in front, and nothing of another program may lie over the point.
    BringForward(front);
    WaitUntil([&] { return OwnerOf(WindowFromPoint(screen)) == pid_; });
}

void Gallery::BringForward(HWND front) const {
    // Keys go to the program in front: other tests' windows may have come
    // forward meanwhile.
    front = front ? front : window_;
    WaitUntil([&] {
        if (GetForegroundWindow() == front)
            return true;
        SetForegroundWindow(front);
        return false;
    });
}

void Gallery::MoveTo(HWND window, int x, int y, HWND front) const {
    POINT p{x, y};
    ClientToScreen(window, &p);
    BringForward(front, p);
    SetCursorPos(p.x, p.y);
    Send(Mouse(MOUSEEVENTF_MOVE)); // a zero move, so the gallery sees input arrive
    Settle(120);
}

void Gallery::Press(HWND window, int x, int y, HWND front) const {
    MoveTo(window, x, y, front);
    Send(Mouse(MOUSEEVENTF_LEFTDOWN));
    Settle(80);
}

void Gallery::Release() const {
    Send(Mouse(MOUSEEVENTF_LEFTUP));
    Settle(150);
}

void Gallery::Click(HWND window, int x, int y, HWND front) const {
    Press(window, x, y, front);
    Release();
}

void Gallery::Key(WORD vk, HWND front) const {
    BringForward(front);
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    Send(in);
    Settle(40);
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    Send(in);
    Settle(120);
}

void Gallery::Wheel(HWND window, int x, int y, int delta) const {
    MoveTo(window, x, y);
    Send(Mouse(MOUSEEVENTF_WHEEL, static_cast<DWORD>(delta)));
    Settle(150);
}
