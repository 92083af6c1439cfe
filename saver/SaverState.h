// The state of this module (the screensaver or the library): the saver
// record and logo block, and what the window thread and the render thread
// share while an effect runs, all in one owner object.
#pragma once

#include "common/CriticalSection.h"
#include "core/SaverRecord.h"

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Where and how big the logo is drawn, and the size of its bitmap.
struct LogoRectangle {
    int32_t X, Y, Width, Height, NaturalWidth, NaturalHeight;
};

// Every field says which thread writes it:
//  - window: the window thread, and only while no render thread runs
//    (before the thread is created, or after the wait for its end saw it
//    end); the render thread reads it. Creating the thread and waiting for
//    it order these writes with its reads, so no lock is needed.
//  - run: the render thread while it runs (the window thread only before
//    the run starts or after it ended, as above).
//  - window only: never touched by the render thread.
//  - both: atomic, or under the named lock.
// While a render thread is stuck (see StopRenderThread), nothing of it is
// written or freed: the screensaver ends instead; the library lets it end
// by itself and opens no new preview until then.
struct SaverShared {
    // window
    SaverTrailer Trailer{};
    SaverSettings* Settings = &Trailer.Settings;
    std::vector<uint8_t> LogoBlock;
    HDC Display = nullptr;       // owned by the saver window
    HBRUSH Background = nullptr; // owned by the saver window
    bool InPreviewPane = false;

    // run
    RECT Screen{}; // client area of the saver window, less a pixel (see LoadLogo)
    RECT Client{}; // the whole client area: Screen before that cut
    LogoRectangle Logo{};
    HDC LogoDC = nullptr;
    HBITMAP LogoBitmap = nullptr;
    int DrawTransparent = 0;
    int LowColour = 0;
    std::string ContentText;

    // both
    std::atomic<int32_t> CurrentEffect{-1};
    std::atomic<HWND> Window{nullptr};
    std::atomic<int> StopFlag{0};
    // The content host's text and place, handed from the render thread
    // (which loads the logo) to the window thread (which makes the host).
    CriticalSection ContentLock;
    std::shared_ptr<const std::string> ContentHost; // its text, under ContentLock
    RECT ContentHostBox{};                          // under ContentLock

    // window only
    HDC WindowDC = nullptr;
    HWND ContentWindow = nullptr;
    int SettingsPreview = 0;
    int InputGuard = 0;
    HWND SettingsPage = nullptr;
    SaverSettings ScratchSettings{};
    SaverSettings* SavedSettings = nullptr;
    int ExitCode = 0;
};

extern SaverShared Shared;

// The names the rest of the code knows these fields by.
extern SaverTrailer& CurrentTrailer;
// The settings in use: CurrentTrailer.Settings, or a scratch copy while a
// settings Preview runs.
extern SaverSettings*& CurrentSettings;
// The bytes of the logo block (content name block included).
extern std::vector<uint8_t>& LogoBlock;
