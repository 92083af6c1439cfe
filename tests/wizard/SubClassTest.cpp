#include "wizard/frame/SubClass.h"

#include "core/CreatorError.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

// A window class whose procedure answers WM_GETTEXTLENGTH with 999 and
// WM_USER with wParam + 1000, so tests can tell it ran.
LRESULT CALLBACK CountingProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_GETTEXTLENGTH)
        return 999;
    if (m == WM_USER)
        return static_cast<LRESULT>(wp) + 1000;
    return DefWindowProcW(w, m, wp, lp);
}

HWND MakeWindow() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QvSubClassTest";
        RegisterClassW(&wc);
        registered = true;
    }
    return CreateWindowW(L"QvSubClassTest", L"abc", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

struct Window {
    HWND h = MakeWindow();
    ~Window() {
        if (IsWindow(h))
            DestroyWindow(h);
    }
};

} // namespace

TEST(SubClass, HandlerConsumesOrPassesOn) {
    Window w;
    SubClasser sc;
    int seen = 0;
    sc.GotMessage = [&](HWND& h, UINT& m, WPARAM& wp, LPARAM&, bool& proceed, LRESULT& rv) {
        if (m != WM_USER)
            return;
        EXPECT_EQ(h, w.h);
        EXPECT_TRUE(proceed); // True and 0 on entry
        EXPECT_EQ(rv, 0);
        ++seen;
        rv = 77;
        if (wp == 1)
            proceed = false; // consumed: the handler's result stands
        else if (wp == 2)
            wp = 5; // passed on changed; the previous procedure's result stands
    };
    ASSERT_TRUE(sc.SubClass(w.h));
    EXPECT_EQ(sc.hWnd, w.h);
    EXPECT_TRUE(sc.Active);
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 1, 0), 77);
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 2, 0), 1005);
    EXPECT_EQ(seen, 2);
}

TEST(SubClass, InactiveObjectGetsNothingButThePreviousProcedureRuns) {
    Window w;
    SubClasser sc;
    int seen = 0;
    sc.GotMessage = [&](HWND&, UINT&, WPARAM&, LPARAM&, bool& proceed, LRESULT&) {
        ++seen;
        proceed = false;
    };
    ASSERT_TRUE(sc.SubClass(w.h));
    sc.Active = false;
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 3, 0), 1003);
    EXPECT_EQ(seen, 0);
}

TEST(SubClass, SecondHookOfAWindowIsRefused) {
    Window w;
    SubClasser first, second;
    int firstSeen = 0, secondSeen = 0;
    first.GotMessage = [&](HWND&, UINT& m, WPARAM&, LPARAM&, bool&, LRESULT&) {
        firstSeen += m == WM_USER;
    };
    second.GotMessage = [&](HWND&, UINT& m, WPARAM&, LPARAM&, bool&, LRESULT&) {
        secondSeen += m == WM_USER;
    };
    ASSERT_TRUE(first.SubClass(w.h));
    const int32_t count = SubClassCount();
    EXPECT_FALSE(second.SubClass(w.h));
    EXPECT_EQ(SubClassCount(), count);
    EXPECT_EQ(second.hWnd, nullptr);
    EXPECT_FALSE(second.Active);
    SendMessageW(w.h, WM_USER, 0, 0);
    EXPECT_EQ(firstSeen, 1);
    EXPECT_EQ(secondSeen, 0);
}

TEST(SubClass, UnSubClassRestoresAndDropsTheRecord) {
    Window w;
    const LONG_PTR original = GetWindowLongPtrW(w.h, GWLP_WNDPROC);
    SubClasser sc;
    const int32_t count = SubClassCount();
    ASSERT_TRUE(sc.SubClass(w.h));
    const int32_t index = FindSubClass(w.h);
    ASSERT_EQ(index, count);
    EXPECT_EQ(SubClassAt(index).OldProc, reinterpret_cast<WNDPROC>(original));
    EXPECT_EQ(SubClassAt(index).Obj, &sc);
    sc.UnSubClass();
    EXPECT_EQ(GetWindowLongPtrW(w.h, GWLP_WNDPROC), original);
    EXPECT_EQ(SubClassCount(), count);
    EXPECT_EQ(sc.hWnd, nullptr);
    EXPECT_FALSE(sc.Active);
    EXPECT_EQ(FindSubClass(w.h), -1);
    ASSERT_TRUE(sc.SubClass(w.h)); // hooked again
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 1, 0), 1001);
}

TEST(SubClass, CallOldWndProc) {
    Window w, unknown;
    SubClasser sc;
    ASSERT_TRUE(sc.SubClass(w.h));
    EXPECT_EQ(CallOldWndProc(w.h, WM_USER, 4, 0), 1004);
    EXPECT_EQ(CallOldWndProc(w.h, WM_USER, 4, 0, FindSubClass(w.h)), 1004);
    EXPECT_EQ(CallOldWndProc(unknown.h, WM_USER, 4, 0), 0);
    // Inside a handler it is the rest of the chain, whose answer can be changed.
    sc.GotMessage = [&](HWND& h, UINT& m, WPARAM& wp, LPARAM& lp, bool& proceed, LRESULT& rv) {
        if (m != WM_USER)
            return;
        rv = CallOldWndProc(h, m, wp, lp) + 1;
        proceed = false;
    };
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 4, 0), 1005);
    sc.GotMessage = nullptr;
    // Registered without replacing the procedure: DefWindowProc is the old one.
    SubClasser kept;
    ASSERT_TRUE(kept.SubClass(unknown.h, true));
    EXPECT_EQ(SubClassAt(FindSubClass(unknown.h)).OldProc, nullptr);
    EXPECT_EQ(CallOldWndProc(unknown.h, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_EQ(SendMessageW(unknown.h, WM_GETTEXTLENGTH, 0, 0), 999); // its own procedure still runs
    EXPECT_THROW(CallOldWndProc(w.h, WM_USER, 0, 0, SubClassCount()), CreatorError);
    EXPECT_THROW(SubClassAt(-1), CreatorError);
}

TEST(SubClass, DestroyedWindowsAndGoneObjectsLeaveNoLiveRecord) {
    HWND a = MakeWindow();
    {
        SubClasser sc;
        ASSERT_TRUE(sc.SubClass(a));
        DestroyWindow(a);
        EXPECT_EQ(FindSubClass(a), -1);
        EXPECT_EQ(sc.hWnd, nullptr);
    }
    Window b, c;
    const LONG_PTR original = GetWindowLongPtrW(b.h, GWLP_WNDPROC);
    {
        SubClasser sc;
        ASSERT_TRUE(sc.SubClass(b.h));
        ASSERT_TRUE(sc.SubClass(c.h)); // one object, two windows
        EXPECT_EQ(sc.hWnd, c.h);
    }
    // Both windows are back on their own procedure once the object is gone.
    EXPECT_EQ(FindSubClass(b.h), -1);
    EXPECT_EQ(FindSubClass(c.h), -1);
    EXPECT_EQ(GetWindowLongPtrW(b.h, GWLP_WNDPROC), original);
    EXPECT_EQ(SendMessageW(c.h, WM_USER, 1, 0), 1001);
}

TEST(SubClass, HandlerMayReleaseItsWindow) {
    Window w;
    SubClasser sc;
    sc.GotMessage = [&](HWND&, UINT& m, WPARAM&, LPARAM&, bool&, LRESULT&) {
        if (m == WM_USER)
            sc.UnSubClass();
    };
    ASSERT_TRUE(sc.SubClass(w.h));
    EXPECT_EQ(SendMessageW(w.h, WM_USER, 6, 0), 1006);
    EXPECT_EQ(FindSubClass(w.h), -1);
}

namespace {
int otherSeen = 0;
LRESULT CALLBACK OtherSubclass(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (m == WM_USER)
        ++otherSeen;
    return DefSubclassProc(w, m, wp, lp);
}
} // namespace

TEST(SubClass, ReleaseKeepsOtherSubclassesInEitherOrder) {
    for (bool oursFirst : {true, false}) {
        Window w;
        SubClasser sc;
        otherSeen = 0;
        if (oursFirst) {
            ASSERT_TRUE(sc.SubClass(w.h));
        }
        ASSERT_TRUE(SetWindowSubclass(w.h, OtherSubclass, 7, 0));
        if (!oursFirst) {
            ASSERT_TRUE(sc.SubClass(w.h));
        }
        sc.UnSubClass();
        EXPECT_EQ(SendMessageW(w.h, WM_USER, 2, 0), 1002);
        EXPECT_EQ(otherSeen, 1) << "ours first: " << oursFirst;
        RemoveWindowSubclass(w.h, OtherSubclass, 7);
    }
}

TEST(SubClass, RecordsGoOnReleaseAndAtNcDestroyEvenWhenSwallowed) {
    const int32_t before = SubClassCount();
    Window w;
    SubClasser sc;
    ASSERT_TRUE(sc.SubClass(w.h));
    EXPECT_EQ(SubClassCount(), before + 1);
    sc.UnSubClass();
    EXPECT_EQ(SubClassCount(), before); // the table shrinks
    HWND doomed = MakeWindow();
    sc.GotMessage = [](HWND&, UINT& m, WPARAM&, LPARAM&, bool& proceed, LRESULT&) {
        if (m == WM_NCDESTROY)
            proceed = false;
    };
    ASSERT_TRUE(sc.SubClass(doomed));
    DestroyWindow(doomed);
    EXPECT_EQ(FindSubClass(doomed), -1);
    EXPECT_EQ(SubClassCount(), before);
    EXPECT_EQ(sc.hWnd, nullptr);
}
