#include "core/ChangeIconRules.h"

#include <cwctype>

namespace {

std::wstring Trimmed(const std::wstring& text) {
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return L"";
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return text;
}

} // namespace

std::wstring IconBrowseFilter() {
    struct Kind {
        const wchar_t* Patterns;
        const wchar_t* Description;
    };
    const Kind kinds[] = {
        {L"*.EXE,*.SCR", L"Programs"}, {L"*.DLL,*.OCX,*.ICL", L"Libraries"}, {L"*.ICO", L"Icons"}};
    std::wstring all, pairs;
    for (const Kind& kind : kinds) {
        std::wstring pattern = kind.Patterns;
        for (wchar_t& c : pattern)
            if (c == L',')
                c = L';';
        all += pattern + L";";
        pairs += L"|" + std::wstring(kind.Description) + L" (" + Lower(pattern) + L")|" + pattern;
    }
    return L"All Icon Files|" + all + pairs + L"|All Files (*.*)|*.*";
}

std::wstring BrowseProposal(const std::wstring& text) {
    const std::wstring trimmed = Trimmed(text);
    if (!trimmed.empty() && trimmed.front() == L'(' && trimmed.back() == L')')
        return L"";
    return trimmed;
}

std::wstring FirstFolder(const std::vector<std::wstring>& candidates) {
    for (const std::wstring& folder : candidates)
        if (!folder.empty())
            return folder;
    return L".";
}

GripBox GripRectFor(int clientWidth, int clientHeight, int gripSize) {
    return {clientWidth - gripSize - 1, clientHeight - gripSize - 1, clientWidth, clientHeight};
}

bool GripSizes(const GripBox& grip, int x, int y) {
    if (x < grip.Left || x >= grip.Right || y < grip.Top || y >= grip.Bottom)
        return false;
    const double dx = x - grip.Left, dy = y - grip.Top;
    const double w = grip.Right - grip.Left, h = grip.Bottom - grip.Top;
    return dx * dy > (w - 4) * (h - 4) / 2;
}

ChangeIconMoves LayOutChangeIcon(double scaleWidth, double scaleHeight,
                                 const ChangeIconPlaces& now) {
    ChangeIconMoves moves;
    ChangeIconPlaces p = now;
    const double m = now.Icons.Left;

    p.Browse.Left = scaleWidth - p.Browse.Width - m;
    moves.Browse = p.Browse;

    const double textWidth = p.Browse.Left - p.Filename.Left - m;
    if (textWidth >= 0) {
        p.Filename.Width = textWidth;
        moves.Filename = p.Filename;
    }

    p.Cancel.Left = scaleWidth - p.Cancel.Width - m;
    p.Cancel.Top = scaleHeight - p.Cancel.Height - m;
    moves.Cancel = p.Cancel;

    p.OK.Left = p.Cancel.Left - p.OK.Width - m;
    p.OK.Top = p.Cancel.Top;
    moves.OK = p.OK;

    p.Default.Left = m;
    p.Default.Top = p.OK.Top;
    moves.Default = p.Default;

    const double listWidth = scaleWidth - 2 * m;
    const double listHeight = p.OK.Top - m - p.Icons.Top;
    if (listWidth >= 0 && listHeight >= 0)
        moves.Icons = Placement{m, p.Icons.Top, listWidth, listHeight};
    return moves;
}

std::optional<uint32_t> NewHeaderOffset(const uint8_t* head, std::size_t size) {
    if (!head || size < 64 || head[0] != 'M' || head[1] != 'Z')
        return std::nullopt;
    return static_cast<uint32_t>(head[0x3C]) | static_cast<uint32_t>(head[0x3D]) << 8 |
           static_cast<uint32_t>(head[0x3E]) << 16 | static_cast<uint32_t>(head[0x3F]) << 24;
}

bool IsSixteenBitSignature(const uint8_t* signature, std::size_t size) {
    return signature && size >= 2 && signature[0] == 'N' && signature[1] == 'E';
}
