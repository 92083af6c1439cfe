// Shared by the frame tests.
#pragma once

#include "wizard/frame/Form.h"

// Loads a form and shows it without activating it: under Wine without a
// window manager, hiding an active window waits two seconds for focus news.
inline void ShowInactive(Form& form) {
    form.Load();
    ShowWindow(form.hWnd(), SW_SHOWNA);
    UpdateWindow(form.hWnd());
}

// Lets the forms' messages run (through DoEvents) for about `ms` milliseconds.
inline void PumpEvents(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        DoEvents();
        Sleep(10);
    }
}

#include <atomic>
#include <string>
#include <thread>

// Answers the next dialog of this process (a "#32770" window; with a title,
// only one with that title) by sending it a command, from another thread.
class DialogAnswerer {
  public:
    DialogAnswerer(const wchar_t* title, int command)
        : thread_([this, title = std::wstring(title ? title : L""), command] {
              for (int i = 0; i < 1000 && !stop_; ++i) {
                  HWND found = nullptr;
                  for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w;
                       w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
                      DWORD pid = 0;
                      GetWindowThreadProcessId(w, &pid);
                      wchar_t text[256] = {};
                      GetWindowTextW(w, text, 256);
                      if (pid == GetCurrentProcessId() && IsWindowVisible(w) &&
                          (title.empty() || title == text)) {
                          found = w;
                          break;
                      }
                  }
                  if (found) {
                      wchar_t text[512] = {};
                      GetDlgItemTextW(found, 0xFFFF, text, 512);
                      Text = text;
                      HasAbortRetryIgnore = GetDlgItem(found, IDABORT) &&
                                            GetDlgItem(found, IDRETRY) &&
                                            GetDlgItem(found, IDIGNORE);
                      Seen = true;
                      PostMessageW(found, WM_COMMAND, static_cast<WPARAM>(command), 0);
                      return;
                  }
                  Sleep(20);
              }
          }) {}
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;
    ~DialogAnswerer() {
        stop_ = true;
        thread_.join();
    }
    std::wstring Text; // a message box's text
    bool HasAbortRetryIgnore = false;
    std::atomic<bool> Seen{false};

  private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
