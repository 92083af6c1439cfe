#include "wizard/frame/Composition.h"

#include "wizard/frame/Errors.h"

namespace {

template <typename F> void Bind(HMODULE module, const char* name, F& slot) {
    slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

const CompositionApi& Loaded() {
    static const CompositionApi api = [] {
        CompositionApi a;
        // Loaded once for the program's run and never freed: the calls
        // stay valid as long as any window may use them.
        if (const HMODULE dwm = LoadLibraryW(L"dwmapi.dll")) {
            Bind(dwm, "DwmIsCompositionEnabled", a.IsCompositionEnabled);
            Bind(dwm, "DwmExtendFrameIntoClientArea", a.ExtendFrameIntoClientArea);
            Bind(dwm, "DwmDefWindowProc", a.DefWindowProc);
        }
        return a;
    }();
    return api;
}

const CompositionApi* standIn = nullptr;

} // namespace

const CompositionApi& Composition() {
    return standIn ? *standIn : Loaded();
}

void SetCompositionApi(const CompositionApi* api) {
    standIn = api;
}

bool CompositionEnabled() {
    const CompositionApi& api = Composition();
    BOOL enabled = FALSE;
    if (!api.IsCompositionEnabled || FAILED(api.IsCompositionEnabled(&enabled)))
        return false;
    return enabled != FALSE;
}

void ExtendFrameIntoClientArea(HWND window, const CompositionMargins& margins) {
    const CompositionApi& api = Composition();
    if (!api.ExtendFrameIntoClientArea)
        throw Win32Error(ERROR_PROC_NOT_FOUND);
    if (const HRESULT hr = api.ExtendFrameIntoClientArea(window, &margins); FAILED(hr))
        throw Win32Error(static_cast<DWORD>(hr));
}

bool CompositionDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result) {
    const CompositionApi& api = Composition();
    return api.DefWindowProc && api.DefWindowProc(window, message, wParam, lParam, &result);
}
