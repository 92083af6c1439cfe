#include "wizard/frame/Helpers.h"

#include "common/Handles.h"
#include "core/ChangeIconRules.h"
#include "wizard/frame/Aero.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Program.h"
#include "wizard/frame/WizardHelpMembers.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cmath>

std::wstring AdjustCaption(const std::wstring& text) {
    std::wstring result;
    RunSteps(L"modMain.AdjustCaption", {[&] { result = AdjustCaption(text, AppVersionText); }});
    return result;
}

void AdjustCaptions(Form& form) {
    Procedure run(L"modMain.AdjustCaptions");
    if (!WizardOf(&form) && !run([&] {
            for (Form* other : LoadedForms())
                if (WizardOf(other) && other->hWnd() && form.hWnd()) {
                    for (WPARAM size : {WPARAM{ICON_BIG}, WPARAM{ICON_SMALL}})
                        SendMessageW(form.hWnd(), WM_SETICON, size,
                                     SendMessageW(other->hWnd(), WM_GETICON, size, 0));
                    break;
                }
        }))
        return;
    if (!run([&] { form.SetCaption(AdjustCaption(form.Caption())); }) ||
        !run([&] { form.Tag = AdjustCaption(form.Tag); }))
        return;
    for (const auto& control : form.Controls()) {
        Control& c = *control;
        if (c.Kind != ControlKind::Label && c.Kind != ControlKind::CommandButton &&
            c.Kind != ControlKind::TextBox)
            continue;
        if (!run([&] { c.SetCaption(AdjustCaption(c.Caption())); }) ||
            !run([&] { c.Tag = AdjustCaption(c.Tag); }))
            return;
    }
}

bool FileExists(const std::wstring& path) {
    return PathFileExistsW(path.c_str()) != FALSE;
}

bool KeyIsDown(int vk) {
    return static_cast<SHORT>(GetAsyncKeyState(vk)) < -32766;
}

int32_t TabOrderKey(const Control& control) {
    return TabOrderKey(control.Left(), control.Top(), control.Height());
}

void SetTabOrder(Form& form, Control* container) {
    std::vector<Control*> inside;
    for (const auto& control : form.Controls())
        if (control->Container == container && control->Kind != ControlKind::Timer)
            inside.push_back(control.get());
    std::vector<int32_t> keys;
    for (Control* control : inside)
        keys.push_back(TabOrderKey(*control));
    for (size_t j = 0; j < inside.size(); ++j)
        for (size_t k = j + 1; k < inside.size(); ++k)
            if (keys[k] < keys[j]) {
                std::swap(keys[j], keys[k]);
                std::swap(inside[j], inside[k]);
            }
    int next = container ? container->TabIndex : 0;
    for (Control* control : inside)
        control->TabIndex = ++next;
    form.ApplyTabOrder();
}

void ApplySystemFont(Form& form) {
    LOGFONTW lf{};
    if (!GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf))
        return;
    lf.lfFaceName[16] = L'\0'; // the face name as a 60-byte read gives it
    FontDesc system;
    system.Name = lf.lfFaceName;
    system.Charset = lf.lfCharSet;
    system.Weight = lf.lfWeight;
    system.Bold = lf.lfWeight == FW_BOLD;
    system.Italic = lf.lfItalic != 0;
    system.Underline = lf.lfUnderline != 0;
    system.Strikethrough = lf.lfStrikeOut != 0;
    system.Size = std::fabs(lf.lfHeight * 72.0 / ScreenDpiY());
    for (const auto& control : form.Controls()) {
        if (control->Kind == ControlKind::Timer)
            continue; // no font
        IgnoreErrors([&] {
            const FontDesc& own = control->Font();
            FontDesc font = system;
            font.Bold = system.Bold || own.Bold;
            font.Italic = system.Italic || own.Italic;
            // Bold controls stay bold; the others take the system's weight.
            font.Weight = font.Bold ? std::max(own.Weight, int{FW_BOLD}) : system.Weight;
            font.Size = system.Size + (own.Size - form.Font.Size);
            control->SetFont(font);
        });
    }
}

void SelectAllText(Control* textBox, Form* form) {
    RunSteps(L"modMain.SelectAllText", {[&] {
                 if (!textBox) {
                     Form* host = form ? form : ActiveForm();
                     textBox = host ? host->ActiveControl() : nullptr;
                 }
                 if (!textBox || textBox->Kind != ControlKind::TextBox)
                     return;
                 if (KeyIsDown(VK_LBUTTON))
                     return; // a click keeps its caret position
                 textBox->SetSelection(0, static_cast<int>(textBox->Text().size()));
             }});
}

void EnableAutoComplete(Control& textBox) {
    if (textBox.hWnd())
        SHAutoComplete(textBox.hWnd(), SHACF_DEFAULT);
}

void SetFormIcon(HWND window, const wchar_t* iconName, bool alsoOwner) {
    HWND top = nullptr;
    if (alsoOwner)
        for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
            top = owner;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const struct {
        int cx, cy;
        WPARAM which;
    } sizes[] = {{SM_CXICON, SM_CYICON, ICON_BIG}, {SM_CXSMICON, SM_CYSMICON, ICON_SMALL}};
    for (const auto& s : sizes) {
        const HANDLE icon = LoadImageW(instance, iconName, IMAGE_ICON, GetSystemMetrics(s.cx),
                                       GetSystemMetrics(s.cy), LR_SHARED);
        if (top)
            SendMessageW(top, WM_SETICON, s.which, reinterpret_cast<LPARAM>(icon));
        SendMessageW(window, WM_SETICON, s.which, reinterpret_cast<LPARAM>(icon));
    }
}

void DrawAlphaBitmap(HDC dc, const wchar_t* bitmapName, int x, int y, int width, int height,
                     int alpha) {
    BITMAPINFO info{};
    UniqueBitmap dib(CreateDib32(dc, width, height, info));
    UniqueDC dibDc(CreateCompatibleDC(dc));
    UniqueDC srcDc(CreateCompatibleDC(dc));
    UniqueBitmap source(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), bitmapName, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!dib || !dibDc || !srcDc || !source)
        return;
    SelectGuard dibSel(dibDc.get(), dib.get());
    SelectGuard srcSel(srcDc.get(), source.get());
    BitBlt(dibDc.get(), 0, 0, width, height, srcDc.get(), 0, 0, SRCCOPY);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, width, height, dibDc.get(), 0, 0, width, height, blend);
}

namespace {

// A 16-bit module (an icon library, say) lists its icons through
// ExtractIconW, but the saver library opens icon sources as 32-bit modules
// and cannot copy them: such a file counts as one without icons.
bool IsSixteenBitModule(const std::wstring& file) {
    wchar_t found[MAX_PATH] = {};
    const DWORD length = SearchPathW(nullptr, file.c_str(), nullptr, MAX_PATH, found, nullptr);
    const std::wstring path = length > 0 && length < MAX_PATH ? std::wstring(found) : file;
    const UniqueFile handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle)
        return false;
    uint8_t head[64] = {};
    DWORD got = 0;
    if (!ReadFile(handle.get(), head, sizeof head, &got, nullptr))
        return false;
    const auto offset = NewHeaderOffset(head, got);
    if (!offset || *offset > 0x7FFFFFFF)
        return false;
    uint8_t signature[2] = {};
    if (SetFilePointer(handle.get(), static_cast<LONG>(*offset), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER ||
        !ReadFile(handle.get(), signature, sizeof signature, &got, nullptr))
        return false;
    return IsSixteenBitSignature(signature, got);
}

} // namespace

UINT_PTR GetFileIcon(const std::wstring& file, int index) {
    const std::wstring path = file.empty() ? L"quorvel.dll" : file;
    if (IsSixteenBitModule(path))
        return 0;
    const UINT which = index < 0 ? static_cast<UINT>(-1) : static_cast<UINT>(index);
    return reinterpret_cast<UINT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), which));
}
