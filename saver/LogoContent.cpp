// Flash and web logos: a content host window ("AtlAxWin") over the saver
// window instead of a bitmap.
//
// The render thread only asks for the host window (WM_ENSURECONTENT); the
// window thread makes it. A child window made on the render thread would
// have no message loop to run the content, and its creation would wait on
// the window thread, which may itself be waiting for the render thread to
// stop. Without the "atl" library or its initialiser the saver shows its
// plain background.
#include "core/LogoGeometry.h"
#include "common/Handles.h"
#include "saver/LogoImage.h"
#include "saver/SaverState.h"
#include "saver/SaverWindowShared.h"

#include <memory>
#include <mutex>
#include <new>

namespace {
int FrameCount = 0;
UniqueModule Atl;
bool AtlReady = false;
} // namespace

void DrawContent(HDC dc, EffectOp op) {
    switch (op) {
    case OpInitialise:
        ShowSaverCursor(true);
        FrameCount = 0;
        PostMessageA(SaverWindow, WM_ENSURECONTENT, 0, 1);
        break;
    case OpFrame: {
        bool check = false;
        if (++FrameCount > 50) {
            FrameCount = 0;
            check = true;
        }
        if (!InPreviewPane || check)
            PostMessageA(SaverWindow, WM_ENSURECONTENT, InPreviewPane ? 0 : 1, check ? 1 : 0);
        break;
    }
    case OpRepaint:
        if (dc)
            FillRect(dc, &ScreenRect, BackgroundBrush);
        PostMessageA(SaverWindow, WM_ENSURECONTENT, 0, 1);
        break;
    default:
        break;
    }
}

void PublishContentHost() {
    const LogoBox box = ContentPlacement(CurrentSettings->DynSize, LogoRect.X, LogoRect.Y,
                                         LogoRect.Width, LogoRect.Height, LogoRect.NaturalWidth,
                                         LogoRect.NaturalHeight, ScreenWidth(), ScreenHeight());
    // One copy, shared by every host window made from it: an address from a
    // hostile file may be too long to copy, and then no host shows it.
    std::shared_ptr<const std::string> text;
    try {
        text = std::make_shared<const std::string>(ContentText);
    } catch (const std::bad_alloc&) {
    }
    std::lock_guard<CriticalSection> hold(Shared.ContentLock);
    Shared.ContentHost = std::move(text);
    Shared.ContentHostBox = {box.Left, box.Top, box.Right, box.Bottom};
}

void EnsureContentWindow() {
    if (ContentWindow && IsWindow(ContentWindow))
        return;
    ContentWindow = nullptr;
    if (!AtlReady) {
        if (!Atl)
            Atl.reset(LoadLibraryA("atl"));
        using InitFn = BOOL(WINAPI*)();
        auto init = Atl ? reinterpret_cast<InitFn>(
                              reinterpret_cast<void*>(GetProcAddress(Atl.get(), "AtlAxWinInit")))
                        : nullptr;
        if (!init)
            return;
        init();
        AtlReady = true;
    }
    std::shared_ptr<const std::string> text;
    RECT box{};
    {
        std::lock_guard<CriticalSection> hold(Shared.ContentLock);
        text = Shared.ContentHost;
        box = Shared.ContentHostBox;
    }
    if (!text)
        return;
    ContentWindow = CreateWindowExA(0, "AtlAxWin", text->c_str(), WS_CHILD | WS_VISIBLE, box.left,
                                    box.top, box.right - box.left, box.bottom - box.top,
                                    SaverWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
}
