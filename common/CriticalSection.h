// A lock of the process's own threads, usable with std::lock_guard. Unlike
// std::mutex it cannot fail when locked, so it brings none of the C++
// runtime's error reporting into the screensaver.
#pragma once

#include <windows.h>

class CriticalSection {
  public:
    CriticalSection() { InitializeCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;
    ~CriticalSection() { DeleteCriticalSection(&section_); }

    void lock() { EnterCriticalSection(&section_); }
    void unlock() { LeaveCriticalSection(&section_); }

  private:
    CRITICAL_SECTION section_;
};
