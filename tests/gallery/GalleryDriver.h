// Drives ControlGallery.exe from outside as a user would: its process, its
// windows found by class, real mouse and keyboard input, and its event log.
#pragma once

#include "common/Handles.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class Gallery {
  public:
    // Starts the gallery beside this program and waits for its window.
    explicit Gallery(const std::wstring& arguments = L"");
    ~Gallery();
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    HWND Window() const { return window_; }
    DWORD ProcessId() const { return pid_; }
    // The gallery's child windows of this class, in tab (creation) order.
    std::vector<HWND> Children(const wchar_t* className) const;
    HWND Child(const wchar_t* className, size_t nth = 0) const;
    // A visible top-level window of the gallery other than its form, or nullptr.
    HWND OtherWindow(const std::function<bool(HWND)>& accept) const;

    // The window holding the gallery's keyboard focus.
    HWND Focus() const;
    // The log's lines, oldest first.
    std::vector<std::wstring> Log() const;
    // How long a wait for the gallery's answer to input may take: a loaded
    // machine runs it seconds behind.
    static constexpr DWORD Patience = 15000;
    // Waits until `done` holds; false after `ms`.
    static bool WaitUntil(const std::function<bool()>& done, DWORD ms = Patience);
    // Waits until the log's last lines are `tail`; false after `ms`.
    bool WaitForTail(const std::vector<std::wstring>& tail, DWORD ms = Patience) const;
    // Lets the gallery run its input for a moment.
    static void Settle(DWORD ms = 150);

    // A message with a struct answer sent across the process boundary.
    template <typename T> T Ask(HWND window, UINT message, WPARAM wParam) const {
        T answer{};
        AskInto(window, message, wParam, &answer, sizeof answer);
        return answer;
    }

    // Real input. Points are in `window`'s client area; `front` is brought
    // forward first (the gallery's form when nullptr).
    void MoveTo(HWND window, int x, int y, HWND front = nullptr) const;
    void Click(HWND window, int x, int y, HWND front = nullptr) const;
    void Press(HWND window, int x, int y, HWND front = nullptr) const; // button down
    void Release() const;
    void Key(WORD vk, HWND front = nullptr) const;
    void Wheel(HWND window, int x, int y, int delta) const;

  private:
    void AskInto(HWND window, UINT message, WPARAM wParam, void* answer, size_t size) const;
    void BringForward(HWND front, POINT screen) const;
    void BringForward(HWND front) const;

    UniqueKernel process_;
    DWORD pid_ = 0;
    HWND window_ = nullptr;
    HWND log_ = nullptr;
};

// The centre of a rectangle.
inline POINT Centre(const RECT& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}
