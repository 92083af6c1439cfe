#include "wizard/frame/CommonDialog.h"

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Form.h"

#include <commdlg.h>

namespace {

constexpr size_t FileBufferChars = 2048;

COLORREF customColours[16];
bool coloursBuilt = false;

void BuildCustomColours() {
    if (coloursBuilt)
        return;
    // Eight full hues from red in steps of 45 degrees, then the same at half brightness.
    for (int i = 0; i < 8; ++i) {
        customColours[i] = static_cast<COLORREF>(HSVToRGB(45 * i, 100, 100));
        customColours[i + 8] = static_cast<COLORREF>(HSVToRGB(45 * i, 100, 50));
    }
    coloursBuilt = true;
}

} // namespace

bool ShowFileDialog(bool open, DWORD flags, std::wstring& fileName, HWND owner,
                    const std::wstring& title, const std::wstring& initialDir,
                    const std::wstring& filter, int filterIndex, const std::wstring& defaultExt) {
    bool confirmed = false;
    std::wstring filterText;
    std::wstring buffer;
    OPENFILENAMEW ofn{};
    RunSteps(L"modCommonDialog.ShowFileDialog",
             {[&] {
                  filterText = ReplaceAll(filter, L"|", std::wstring(1, L'\0'));
                  filterText.append(2, L'\0');
                  // The initial name, cut to what the buffer holds, then NULs.
                  buffer = fileName.substr(0, FileBufferChars - 1);
                  buffer.resize(FileBufferChars + 2, L'\0');
                  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
                  ofn.hwndOwner = owner;
                  ofn.hInstance = GetModuleHandleW(nullptr);
                  ofn.lpstrFilter = filterText.c_str();
                  ofn.nFilterIndex = static_cast<DWORD>(filterIndex);
                  ofn.lpstrFile = buffer.data();
                  ofn.nMaxFile = FileBufferChars;
                  ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
                  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
                  ofn.Flags = flags;
                  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
              },
              [&] { confirmed = open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn); },
              [&] { fileName = ChopNull(buffer); }});
    return confirmed;
}

const COLORREF* CustomColours() {
    BuildCustomColours();
    return customColours;
}

bool ShowColorDialog(DWORD flags, COLORREF& colour) {
    BuildCustomColours();
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    const Form* active = ActiveForm();
    cc.hwndOwner = active ? active->hWnd() : GetActiveWindow();
    cc.rgbResult = colour;
    cc.lpCustColors = customColours;
    cc.Flags = flags;
    if (!ChooseColorW(&cc))
        return false;
    colour = cc.rgbResult;
    return true;
}
