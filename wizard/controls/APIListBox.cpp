#include "wizard/controls/APIListBox.h"

#include "common/Handles.h"
#include "wizard/frame/Helpers.h"

#include <utility>

namespace {

constexpr UINT_PTR RefocusTimer = 1;
constexpr DWORD TextStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_NOTIFY;
constexpr DWORD IconStyle = TextStyle | WS_HSCROLL | LBS_MULTICOLUMN;
constexpr int IconCell = 36, IconRow = 42, IconSide = 32;

// ExtractIconW answers 1 for a file that holds no icons: that is no icon.
bool IsIcon(UINT_PTR handle) {
    return handle > 1;
}

} // namespace

APIListBox::~APIListBox() = default; // the icons go with their vector

void APIListBox::OnCreate() {
    const HWND host = hWnd();
    // The control's own window is the tab stop and keeps the focus.
    SetWindowLongPtrW(host, GWL_EXSTYLE,
                      GetWindowLongPtrW(host, GWL_EXSTYLE) &
                          ~static_cast<LONG_PTR>(WS_EX_CONTROLPARENT));
    // Items are drawn at 10 points, so they are measured in that font too.
    if (Extender()->Font().Size != 10) {
        FontDesc font = Extender()->Font();
        font.Size = 10;
        Extender()->SetFont(font);
    }
}

void APIListBox::OnDestroy() {
    ListWnd = nullptr; // destroyed with the control's window
    icons_.clear();
    texts_.clear();
}

void APIListBox::Init() {
    if (ListWnd || !hWnd())
        return;
    RECT r{};
    GetClientRect(hWnd(), &r);
    ListWnd =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", iconMode_ ? IconStyle : TextStyle, 0, 0,
                        r.right, r.bottom, hWnd(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!ListWnd)
        return;
    if (iconMode_)
        SendMessageW(ListWnd, LB_SETCOLUMNWIDTH, IconCell, 0);
    if (!IsWindowEnabled(hWnd()))
        EnableWindow(ListWnd, FALSE);
}

void APIListBox::Resize(int width, int height) {
    if (ListWnd)
        MoveWindow(ListWnd, 0, 0, width, height, TRUE);
}

int APIListBox::AddItem(const std::wstring& text, LONG_PTR itemData) {
    // In icon mode the icon is the control's from here on, added or not.
    UniqueIcon icon(iconMode_ && IsIcon(static_cast<UINT_PTR>(itemData))
                        ? reinterpret_cast<HICON>(itemData)
                        : nullptr);
    // Without LBS_HASSTRINGS the list keeps only the data.
    const auto index = static_cast<int>(SendMessageW(ListWnd, LB_ADDSTRING, 0, itemData));
    if (index < 0)
        return index;
    newIndex_ = index;
    texts_.push_back(text);
    if (iconMode_)
        icons_.push_back(std::move(icon));
    return index;
}

void APIListBox::Clear() {
    icons_.clear();
    texts_.clear();
    if (ListWnd)
        SendMessageW(ListWnd, LB_RESETCONTENT, 0, 0);
}

void APIListBox::RemoveItem(int index) {
    if (!ListWnd || SendMessageW(ListWnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR)
        return;
    if (index >= 0 && index < static_cast<int>(texts_.size()))
        texts_.erase(texts_.begin() + index);
    if (index >= 0 && index < static_cast<int>(icons_.size()))
        icons_.erase(icons_.begin() + index); // its icon goes with it
}

bool APIListBox::Enabled() const {
    return Extender()->Enabled();
}

void APIListBox::SetEnabled(bool enabled) {
    Extender()->SetEnabled(enabled); // the list follows in EnabledChanged
}

void APIListBox::EnabledChanged(bool enabled) {
    if (ListWnd)
        EnableWindow(ListWnd, enabled);
}

FontDesc APIListBox::Font() const {
    return Extender()->Font();
}

void APIListBox::SetFont(const FontDesc& font) {
    Extender()->SetFont(font);
    FontChanged();
}

double APIListBox::FontSize() const {
    return Extender()->Font().Size;
}

void APIListBox::SetFontSize(double points) {
    FontDesc font = Extender()->Font();
    font.Size = points;
    SetFont(font);
}

void APIListBox::FontChanged() {
    if (!ListWnd)
        return;
    SendMessageW(ListWnd, WM_SETFONT, SendMessageW(hWnd(), WM_GETFONT, 0, 0), TRUE);
    if (!iconMode_) // rows fit the new font
        SendMessageW(ListWnd, LB_SETITEMHEIGHT, 0, TextRowHeight());
}

LONG_PTR APIListBox::ItemData(int index) const {
    return SendMsg(LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void APIListBox::SetItemData(int index, LONG_PTR data) {
    SendMsg(LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int APIListBox::ItemFromData(LONG_PTR data, int notFound) const {
    const int count = ListCount();
    for (int i = 0; i < count; ++i)
        if (ItemData(i) == data)
            return i;
    return notFound;
}

std::wstring APIListBox::List(int index) const {
    if (index < 0 || index >= static_cast<int>(texts_.size()))
        return {};
    return texts_[static_cast<std::size_t>(index)];
}

int APIListBox::ListCount() const {
    return static_cast<int>(SendMsg(LB_GETCOUNT, 0, 0));
}

int APIListBox::ListIndex() const {
    return ListWnd ? static_cast<int>(SendMsg(LB_GETCURSEL, 0, 0)) : -1;
}

void APIListBox::SetListIndex(int index) {
    SendMsg(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

LRESULT APIListBox::SendMsg(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ListWnd ? SendMessageW(ListWnd, message, wParam, lParam) : 0;
}

LRESULT APIListBox::SendMsgStr(UINT message, WPARAM wParam, const std::wstring& text) const {
    std::wstring copy = text;
    return SendMsg(message, wParam, reinterpret_cast<LPARAM>(copy.c_str()));
}

bool APIListBox::SetIconFile(const std::wstring& file) {
    if (file == iconFile_ && ListWnd)
        return false;
    iconMode_ = true;
    Init();
    // The file becomes IconFile only when it has icons to show.
    if (!LoadIcons(file))
        return false;
    iconFile_ = file;
    return true;
}

bool APIListBox::UpdateIcons() {
    return iconMode_ && LoadIcons(iconFile_);
}

bool APIListBox::LoadIcons(const std::wstring& file) {
    const auto count = static_cast<int>(GetFileIcon(file, -1));
    if (count <= 0 || !ListWnd)
        return false;
    // One item per index, so a list position is the icon's index in the
    // file: an icon that cannot be extracted leaves its item empty.
    std::vector<UniqueIcon> loaded;
    loaded.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const UINT_PTR icon = GetFileIcon(file, i);
        loaded.emplace_back(IsIcon(icon) ? reinterpret_cast<HICON>(icon) : nullptr);
    }
    Clear();
    {
        RedrawGuard quiet(ListWnd);
        for (UniqueIcon& icon : loaded)
            AddItem(file, reinterpret_cast<LONG_PTR>(icon.release())); // the list's now
    }
    SetListIndex(0);
    return true;
}

bool APIListBox::KeyDown(int key, int) {
    if (ListWnd)
        SendMessageW(ListWnd, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
    return true;
}

bool APIListBox::KeyPress(wchar_t character) {
    if (ListWnd)
        SendMessageW(ListWnd, WM_CHAR, character, 0);
    return true;
}

void APIListBox::FocusChanged(bool focused) {
    if (!ListWnd)
        return;
    const bool was = refocusing_;
    refocusing_ = true; // the list's focus notice starts no hand-back
    SendMessageW(ListWnd, focused ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    refocusing_ = was;
}

void APIListBox::TimerTick(UINT_PTR id) {
    if (id != RefocusTimer)
        return;
    KillTimer(hWnd(), RefocusTimer);
    refocusing_ = true;
    SetFocus(hWnd());
    if (ListWnd)
        SendMessageW(ListWnd, WM_SETFOCUS, 0, 0);
    refocusing_ = false;
}

bool APIListBox::MouseWheel(int delta, int) {
    const int notches = wheel_.Take(delta);
    if (!ListWnd || notches == 0)
        return true;
    const WPARAM code = notches > 0 ? SB_LINEUP : SB_LINEDOWN;
    const int steps = (notches > 0 ? notches : -notches) * (iconMode_ ? 2 : 1);
    for (int i = 0; i < steps; ++i)
        SendMessageW(ListWnd, iconMode_ ? WM_HSCROLL : WM_VSCROLL, code, 0);
    return true;
}

HGDIOBJ APIListBox::ItemFont() const {
    const HFONT font = Extender()->FontHandle();
    return font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT);
}

int APIListBox::TextRowHeight() const {
    WindowDC dc(hWnd());
    SelectGuard selected(dc.get(), ItemFont());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), L"|", 1, &size);
    return size.cy + 2;
}

void APIListBox::Measure(MEASUREITEMSTRUCT& item) const {
    if (iconMode_) {
        item.itemWidth = IconCell;
        item.itemHeight = IconRow;
    } else {
        item.itemWidth = 20;
        item.itemHeight = static_cast<UINT>(TextRowHeight());
    }
}

void APIListBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool active = Extender()->Parent().ActiveControl() == Extender();
    const bool filled = selected && active;
    FillRect(dc, &item.rcItem, GetSysColorBrush(filled ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (selected && !active)
        FrameRect(dc, &item.rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(filled ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= static_cast<int>(texts_.size()))
        return; // the empty list's focus rectangle: filled only
    const RECT& r = item.rcItem;
    if (iconMode_) {
        const HICON icon = index < static_cast<int>(icons_.size()) ? icons_[index].get() : nullptr;
        if (icon)
            DrawIcon(dc, r.left + CentredOffset(r.right - r.left, IconSide),
                     r.top + CentredOffset(r.bottom - r.top, IconSide), icon);
        return;
    }
    RECT text = r;
    text.left += 1;
    text.top += 1;
    SelectGuard font(dc, ItemFont());
    DrawTextW(dc, texts_[index].c_str(), -1, &text, 0);
}

std::optional<LRESULT> APIListBox::ChildMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MEASUREITEM: {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_LISTBOX)
            return std::nullopt;
        Measure(item);
        return TRUE;
    }
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_LISTBOX)
            return std::nullopt;
        DrawItem(item);
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) != ListWnd)
            return std::nullopt;
        switch (HIWORD(wParam)) {
        case LBN_SELCHANGE:
            if (const auto handler = Click)
                handler();
            break;
        case LBN_DBLCLK:
            if (const auto handler = DblClick)
                handler();
            break;
        case LBN_SETFOCUS:
            if (!refocusing_)
                SetTimer(hWnd(), RefocusTimer, 1, nullptr);
            break;
        default:
            break;
        }
        return 0;
    default:
        return std::nullopt;
    }
}
