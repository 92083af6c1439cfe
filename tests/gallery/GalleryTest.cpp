// The gallery as a user meets it: every control driven with real mouse and
// keyboard input in another process, each event read back from its log.
#include "tests/gallery/GalleryDriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

std::wstring Joined(const Lines& lines) {
    std::wstring all;
    for (const auto& l : lines)
        all += l + L" | ";
    return all;
}

// The log as one narrow line for failure messages (the log is ASCII).
std::string Shown(const Gallery& g) {
    std::string out;
    for (wchar_t c : Joined(g.Log()))
        out += static_cast<char>(c);
    return out;
}

#define EXPECT_TAIL(g, ...) EXPECT_TRUE((g).WaitForTail(Lines{__VA_ARGS__})) << Shown(g)
// The gallery takes its input in its own time: its focus is waited for.
#define EXPECT_FOCUS(g, window)                                                                    \
    EXPECT_TRUE(Gallery::WaitUntil([&] { return (g).Focus() == (window); }))

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

// Wine carries this message's rectangle across processes itself.
RECT ItemRect(HWND list, int index) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The colour drop's palette once it has opened; nullptr if it does not.
HWND Palette(const Gallery& g) {
    HWND cells = nullptr;
    Gallery::WaitUntil([&] {
        cells = g.OtherWindow(
            [](HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; });
        return cells != nullptr;
    });
    return cells;
}

} // namespace

TEST(Gallery, ShowsEveryControlAsTheCreatorHasThem) {
    Gallery g;
    EXPECT_TRUE(g.Log().empty()); // loading raised nothing worth logging
    for (const wchar_t* kind : {L"QuorvelSliderControl", L"QuorvelLinkControl",
                                L"QuorvelIENavButton", L"QuorvelColorDrop"})
        EXPECT_EQ(g.Children(kind).size(), 1u) << std::string(kind, kind + wcslen(kind));
    EXPECT_EQ(g.Children(L"QuorvelCommandLink").size(), 3u);
    EXPECT_EQ(g.Children(L"QuorvelAPIListBox").size(), 2u);

    const HWND track = g.Child(L"msctls_trackbar32");
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 100);
    // Two halves of ImgSize and a pixel more each way.
    const SIZE nav = ClientSize(g.Child(L"QuorvelIENavButton"));
    EXPECT_GT(nav.cy, 1);
    EXPECT_EQ(nav.cx, 2 * (nav.cy - 1) + 1);

    const HWND modes = g.Child(L"ListBox", 0), icons = g.Child(L"ListBox", 1);
    EXPECT_EQ(ClientSize(g.Child(L"QuorvelAPIListBox", 0)).cy, 80);
    ASSERT_EQ(SendMessageW(modes, LB_GETCOUNT, 0, 0), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(SendMessageW(modes, LB_GETITEMDATA, i, 0), 2 << i); // Static is bit 1
    EXPECT_GE(SendMessageW(icons, LB_GETCOUNT, 0, 0), 12);
}

TEST(Gallery, SliderDraggedAndStepped) {
    Gallery g;
    const HWND track = g.Child(L"msctls_trackbar32");
    const RECT thumb = g.Ask<RECT>(track, TBM_GETTHUMBRECT, 0);
    const POINT at = Centre(thumb);
    g.Press(track, at.x, at.y);
    for (int dx = 10; dx <= 60; dx += 10)
        g.MoveTo(track, at.x + dx, at.y);
    g.Release();
    // The release ends the drag: the slider is no longer scrolling.
    ASSERT_TRUE(Gallery::WaitUntil([&] {
        const Lines log = g.Log();
        return !log.empty() && log.back().rfind(L"scrScale Changed False ", 0) == 0;
    })) << Shown(g);
    const int dragged = static_cast<int>(SendMessageW(track, TBM_GETPOS, 0, 0));
    EXPECT_GT(dragged, 100);
    const Lines log = g.Log();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front().rfind(L"scrScale Changed True ", 0), 0u) << Shown(g);
    EXPECT_EQ(log.back(), L"scrScale Changed False " + std::to_wstring(dragged));

    // The trackbar has the focus: an arrow steps it by one.
    g.Key(VK_LEFT);
    EXPECT_TAIL(g, L"scrScale Changed False " + std::to_wstring(dragged - 1));
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), dragged - 1);
}

TEST(Gallery, LinkHoveredClickedAndLeft) {
    Gallery g;
    const HWND link = g.Child(L"QuorvelLinkControl");
    const SIZE size = ClientSize(link);
    g.MoveTo(link, size.cx / 2, size.cy / 2);
    EXPECT_TAIL(g, L"lnkSite MouseHover");
    g.Click(link, size.cx / 2, size.cy / 2);
    g.MoveTo(link, size.cx / 2 + 1, size.cy / 2);
    EXPECT_TAIL(g, L"lnkSite MouseHover", L"lnkSite Click");
    g.MoveTo(link, size.cx / 2, size.cy + 40);
    EXPECT_TAIL(g, L"lnkSite MouseHover", L"lnkSite Click", L"lnkSite MouseOut");
    // Once left, a click elsewhere opens nothing.
    g.Click(link, size.cx / 2, size.cy + 40);
    EXPECT_TAIL(g, L"lnkSite MouseHover", L"lnkSite Click", L"lnkSite MouseOut");
}

TEST(Gallery, TravelButtonsForwardOnlyWhenEnabled) {
    Gallery g;
    const HWND nav = g.Child(L"QuorvelIENavButton");
    const int img = ClientSize(nav).cy - 1;
    ASSERT_GT(img, 0);
    g.Click(nav, img / 2, img / 2);
    EXPECT_TAIL(g, L"Nav Click 0");
    g.Click(nav, img + img / 2, img / 2); // forward starts disabled
    const HWND check = g.Child(L"Button");
    const SIZE box = ClientSize(check);
    g.Click(check, 6, box.cy / 2);
    g.Click(nav, img + img / 2, img / 2);
    EXPECT_TAIL(g, L"Nav Click 0", L"chkForward Click 1", L"Nav Click 1");
    // A press on the control released outside it is no click.
    g.Press(nav, img / 2, img / 2);
    g.MoveTo(nav, img / 2, img + 60);
    g.Release();
    Gallery::Settle(200);
    EXPECT_TAIL(g, L"Nav Click 0", L"chkForward Click 1", L"Nav Click 1");
}

TEST(Gallery, CommandLinksByTabSpaceEnterAndMouse) {
    Gallery g;
    const auto links = g.Children(L"QuorvelCommandLink");
    ASSERT_EQ(links.size(), 3u);
    // The slider comes first; link and travel buttons are no tab stops.
    EXPECT_FOCUS(g, g.Child(L"msctls_trackbar32"));
    g.Key(VK_TAB);
    EXPECT_FOCUS(g, g.Child(L"Button"));
    g.Key(VK_TAB);
    EXPECT_FOCUS(g, links[0]);
    g.Key(VK_SPACE);
    EXPECT_TAIL(g, L"cmdTest Click");
    g.Key(VK_TAB);
    EXPECT_FOCUS(g, links[1]);
    g.Key(VK_RETURN);
    EXPECT_TAIL(g, L"cmdTest Click", L"cmdExit Click");
    g.Key(VK_TAB);
    EXPECT_FOCUS(g, links[2]);
    g.Key(VK_SPACE);
    g.Key(VK_RETURN);
    EXPECT_TAIL(g, L"cmdTest Click", L"cmdExit Click", L"cmdBrowse Click", L"cmdBrowse Click");
    for (HWND link : {links[1], links[0]}) {
        const SIZE size = ClientSize(link);
        g.Click(link, size.cx / 2, size.cy / 2);
    }
    EXPECT_TAIL(g, L"cmdBrowse Click", L"cmdBrowse Click", L"cmdExit Click", L"cmdTest Click");
}

TEST(Gallery, ListsByMouseKeysAndWheel) {
    Gallery g;
    const HWND modes = g.Child(L"ListBox", 0), icons = g.Child(L"ListBox", 1);
    const RECT third = ItemRect(modes, 2);
    g.Click(modes, Centre(third).x, Centre(third).y);
    EXPECT_TAIL(g, L"lstModes Click 8");
    g.Key(VK_DOWN);
    EXPECT_TAIL(g, L"lstModes Click 8", L"lstModes Click 16");
    // A notch down scrolls down and selects nothing. Wine gives the wheel to
    // the list under the pointer, which scrolls its own three rows.
    const LRESULT top = SendMessageW(modes, LB_GETTOPINDEX, 0, 0);
    g.Wheel(modes, 5, 5, -WHEEL_DELTA);
    EXPECT_TRUE(
        Gallery::WaitUntil([&] { return SendMessageW(modes, LB_GETTOPINDEX, 0, 0) > top; }));
    EXPECT_EQ(SendMessageW(modes, LB_GETCURSEL, 0, 0), 3);
    EXPECT_TAIL(g, L"lstModes Click 8", L"lstModes Click 16");

    const RECT second = ItemRect(icons, 1);
    g.Click(icons, Centre(second).x, Centre(second).y);
    EXPECT_TAIL(g, L"lstModes Click 16", L"lstIcons Click 1");
    g.Key(VK_RIGHT);
    EXPECT_TAIL(g, L"lstModes Click 16", L"lstIcons Click 1", L"lstIcons Click 2");
    const LRESULT first = SendMessageW(icons, LB_GETTOPINDEX, 0, 0);
    g.Wheel(icons, 5, 5, -WHEEL_DELTA);
    EXPECT_TRUE(
        Gallery::WaitUntil([&] { return SendMessageW(icons, LB_GETTOPINDEX, 0, 0) > first; }));
    EXPECT_TAIL(g, L"lstModes Click 16", L"lstIcons Click 1", L"lstIcons Click 2");
}

TEST(Gallery, ColourFromThePaletteAndFromMoreColours) {
    Gallery g;
    const HWND combo = g.Child(L"ComboBox");
    const SIZE size = ClientSize(combo);
    g.Click(combo, size.cx / 2, size.cy / 2);
    EXPECT_TAIL(g, L"clrBackground Dropped True");
    HWND cells = Palette(g);
    ASSERT_TRUE(cells);
    g.Click(cells, 3 * 19 + 7 + 8, 3 * 19 + 7 + 8); // "Bright Green"
    EXPECT_TAIL(g, L"clrBackground Dropped True", L"clrBackground Changed 0x0000FF00",
                L"clrBackground Dropped False");

    // Open again with one click; Esc closes it and changes nothing.
    g.Click(combo, size.cx / 2, size.cy / 2);
    EXPECT_TAIL(g, L"clrBackground Dropped False", L"clrBackground Dropped True");
    g.Key(VK_ESCAPE);
    EXPECT_TAIL(g, L"clrBackground Changed 0x0000FF00", L"clrBackground Dropped False",
                L"clrBackground Dropped True", L"clrBackground Dropped False");

    // "More colors..." and the colour dialog: blue typed into its fields.
    g.Click(combo, size.cx / 2, size.cy / 2);
    cells = Palette(g);
    ASSERT_TRUE(cells);
    g.Click(cells, 7 + 40, 106 + 8);
    HWND dialog = nullptr;
    Gallery::WaitUntil([&] {
        dialog = g.OtherWindow([](HWND w) {
            wchar_t name[16] = {};
            GetClassNameW(w, name, 16);
            return std::wstring(name) == L"#32770";
        });
        return dialog != nullptr;
    });
    ASSERT_TRUE(dialog);
    const std::pair<int, const wchar_t*> fields[] = {{706, L"0"}, {707, L"0"}, {708, L"255"}};
    for (const auto& [id, value] : fields) {
        const HWND field = GetDlgItem(dialog, id);
        ASSERT_TRUE(field);
        const SIZE f = ClientSize(field);
        g.Click(field, f.cx - 2, f.cy / 2, dialog);
        g.Key(VK_END, dialog);
        for (int i = 0; i < 3; ++i)
            g.Key(VK_BACK, dialog);
        for (const wchar_t* c = value; *c; ++c)
            g.Key(static_cast<WORD>(*c), dialog);
    }
    const HWND ok = GetDlgItem(dialog, IDOK);
    const SIZE o = ClientSize(ok);
    g.Click(ok, o.cx / 2, o.cy / 2, dialog);
    EXPECT_TAIL(g, L"clrBackground Changed 0x00FF0000", L"clrBackground Dropped False");
}

TEST(Gallery, LevelOneDrawsTheComboItselfAndPicksAlike) {
    Gallery g(L"/level 1");
    const HWND combo = g.Child(L"ComboBox");
    EXPECT_NE(GetWindowLongW(combo, GWL_STYLE) & CBS_OWNERDRAWFIXED, 0);
    const SIZE size = ClientSize(combo);
    g.Click(combo, size.cx / 2, size.cy / 2);
    const HWND cells = Palette(g);
    ASSERT_TRUE(cells);
    g.Click(cells, 0 * 19 + 7 + 8, 1 * 19 + 7 + 8); // "Dark Red" heads the second row
    EXPECT_TAIL(g, L"clrBackground Dropped True", L"clrBackground Changed 0x00000080",
                L"clrBackground Dropped False");
}
