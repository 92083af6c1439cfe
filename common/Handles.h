// Move-only owners of Win32 handles, so every handle is closed exactly once.
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits> class UniqueHandle {
  public:
    using Type = typename Traits::Type;
    UniqueHandle() = default;
    explicit UniqueHandle(Type h) : h_(h) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Traits::Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(std::exchange(o.h_, Traits::Invalid()));
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Type get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Invalid(); }
    void reset(Type h = Traits::Invalid()) {
        if (h_ != Traits::Invalid())
            Traits::Close(h_);
        h_ = h;
    }
    Type release() { return std::exchange(h_, Traits::Invalid()); }

  private:
    Type h_ = Traits::Invalid();
};

struct FileTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct KernelTraits { // threads, events, mutexes, processes
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct KeyTraits {
    using Type = HKEY;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { FreeLibrary(h); }
};
struct MemDcTraits { // DCs made by CreateDC / CreateCompatibleDC
    using Type = HDC;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteDC(h); }
};
struct LocalTraits { // buffers the system allocates for us (FormatMessage)
    using Type = HLOCAL;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { LocalFree(h); }
};
struct FindTraits { // FindFirstFile's searches
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
template <typename T> struct GdiTraits {
    using Type = T;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};

using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueKernel = UniqueHandle<KernelTraits>;
using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueLocal = UniqueHandle<LocalTraits>;
using UniqueDC = UniqueHandle<MemDcTraits>;
using UniqueBitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiTraits<HBRUSH>>;
using UniqueFont = UniqueHandle<GdiTraits<HFONT>>;
using UniqueRgn = UniqueHandle<GdiTraits<HRGN>>;

struct IconTraits {
    using Type = HICON;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// A window's device context from GetDC, released with ReleaseDC.
class WindowDC {
  public:
    WindowDC() = default;
    explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& o) noexcept
        : hwnd_(std::exchange(o.hwnd_, nullptr)), dc_(std::exchange(o.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& o) noexcept {
        if (this != &o) {
            reset();
            hwnd_ = std::exchange(o.hwnd_, nullptr);
            dc_ = std::exchange(o.dc_, nullptr);
        }
        return *this;
    }
    ~WindowDC() { reset(); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_)
            ReleaseDC(hwnd_, dc_);
        dc_ = nullptr;
        hwnd_ = nullptr;
    }

  private:
    HWND hwnd_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects a GDI object into a DC for a scope and puts the previous one back.
class SelectGuard {
  public:
    SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }

  private:
    HDC dc_;
    HGDIOBJ old_;
};
