#include "core/LogoFilter.h"

#include "core/CreatorText.h"

#include <cwctype>
#include <vector>

namespace {

struct FormatEntry {
    const wchar_t* Patterns; // "*.JPG,*.JIF"
    const wchar_t* Description;
    bool Picture; // decoded as a picture; otherwise dynamic content
};

constexpr FormatEntry Formats[] = {
    {L"*.BMP", L"Windows or OS/2 Bitmap", true},
    {L"*.CUT", L"Dr. Halo", true},
    {L"*.DDS", L"DirectX Surface", true},
    {L"*.G3", L"Raw fax", true},
    {L"*.GIF", L"Graphics Interchange Format", true},
    {L"*.ICO", L"Icon", true},
    {L"*.IFF,*.LBM", L"IFF Interleaved Bitmap", true},
    {L"*.JNG", L"JPEG Network Graphics", true},
    {L"*.JPG,*.JIF,*.JPEG,*.JPE", L"JPEG - JFIF Compliant", true},
    {L"*.KOA", L"C64 Koala Graphics", true},
    {L"*.MNG", L"Multiple Network Graphics", true},
    {L"*.PBM,*.PGM,*.PPM", L"Portable Network Media", true},
    {L"*.PCD", L"Kodak PhotoCD", true},
    {L"*.PCX", L"Zsoft Paintbrush", true},
    {L"*.PNG", L"Portable Network Graphics", true},
    {L"*.PSD", L"Adobe Photoshop", true},
    {L"*.RAS", L"Sun Raster Image", true},
    {L"*.TGA,*.TARGA", L"Truevision Targa", true},
    {L"*.TIF,*.TIFF", L"Tagged Image File Format", true},
    {L"*.WAP,*.WBMP,*.WBM", L"Wireless Bitmap", true},
    {L"*.XBM", L"X11 Bitmap Format", true},
    {L"*.XPM", L"X11 Pixmap Format", true},
    {L"*.SWF", L"Flash Animations", false},
    {L"*.HTML;*.HTM", L"Web Pages", false},
};

std::vector<std::wstring> SplitPatterns(const std::wstring& patterns) {
    std::vector<std::wstring> out;
    std::wstring current;
    for (wchar_t c : patterns + L",") {
        if (c == L',' || c == L';') {
            if (!current.empty())
                out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return out;
}

std::wstring Lower(std::wstring s) {
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

} // namespace

std::wstring LogoBrowseFilter(const ExtensionClaimed& claimed) {
    std::wstring supported, images, dynamic, perFormat;
    for (const FormatEntry& entry : Formats) {
        std::wstring patterns = entry.Patterns;
        if (entry.Picture) {
            std::wstring kept;
            for (const std::wstring& pattern : SplitPatterns(patterns))
                if (claimed && claimed(pattern.substr(2)))
                    kept += (kept.empty() ? L"" : L",") + pattern;
            if (kept.empty())
                continue;
            patterns = kept;
        }
        const std::wstring ext = ReplaceAll(patterns, L",", L";");
        supported += ext + L";";
        (entry.Picture ? images : dynamic) += ext + L";";
        perFormat += L"|" + std::wstring(entry.Description) + L" (" + Lower(patterns) + L")|" + ext;
    }
    return L"All Supported files|" + supported + L"|All Images|" + images + L"|Dynamic Content|" +
           dynamic + perFormat + L"|All Files (*.*)|*.*";
}
