#include "wizard/frame/ContentHost.h"

#include "common/Handles.h"

#include <objbase.h>

#include <algorithm>
#include <map>

namespace {

// The browser's HTML document class.
constexpr CLSID HtmlDocumentClass = {
    0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

bool CanMakeHtmlDocument() {
    IUnknown* document = nullptr;
    if (FAILED(CoCreateInstance(HtmlDocumentClass, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                reinterpret_cast<void**>(&document))) ||
        !document)
        return false;
    document->Release();
    return true;
}

bool FlashControlKnown() {
    CLSID flash{};
    return SUCCEEDED(CLSIDFromProgID(L"ShockwaveFlash.ShockwaveFlash", &flash));
}

// COM for the time of one question, on a thread that may have it already.
class ComScope {
  public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (SUCCEEDED(hr_))
            CoUninitialize();
    }

  private:
    HRESULT hr_;
};

// The host's creation block: a 16-bit length of 1, then one zero byte.
struct HostCreationBlock {
    WORD Size = 1;
    BYTE Data = 0;
};

} // namespace

bool PlatformContentHostAvailable(const std::wstring& dynType) {
    static std::map<std::wstring, bool> answers;
    if (const auto known = answers.find(dynType); known != answers.end())
        return known->second;
    bool available = false;
    if (dynType == L"HTML" || dynType == L"Flash") {
        ComScope com;
        available = CanMakeHtmlDocument() && (dynType == L"HTML" || FlashControlKnown());
    }
    answers[dynType] = available;
    return available;
}

bool (*ContentHostAvailable)(const std::wstring& dynType) = PlatformContentHostAvailable;

UniqueWindow CreateContentHost(HWND parent, const std::wstring& text, const RECT& box) {
    HostCreationBlock block;
    return UniqueWindow(CreateWindowExW(0, L"AtlAxWin", text.c_str(), WS_CHILD | WS_VISIBLE,
                                        box.left, box.top, box.right - box.left,
                                        box.bottom - box.top, parent, nullptr, nullptr, &block));
}

std::wstring ContentNoteText(const std::wstring& dynType) {
    return dynType == L"Flash" ? L"Flash preview not available on this computer"
                               : L"Web page preview not available on this computer";
}

void DrawContentNote(HDC dc, const RECT& box, const std::wstring& dynType, COLORREF background,
                     HFONT font) {
    const UniqueBrush grey(CreateSolidBrush(RGB(128, 128, 128)));
    FrameRect(dc, &box, grey.get());
    // Black on light colours, white on dark ones.
    const int light =
        GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114;
    const std::wstring text = ContentNoteText(dynType);
    RECT inside{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
    const SelectGuard chosen(dc,
                             font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, light >= 128000 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    // Centred both ways: measure the wrapped height first.
    RECT measured = inside;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    inside.top += std::max(0L, (inside.bottom - inside.top - height) / 2);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside,
              DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}
