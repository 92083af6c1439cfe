// Window subclassing: one program-wide table of hooked windows, each linked
// into the platform's subclass chain (SetWindowSubclass) with one shared
// procedure that hands each message to the window's SubClasser as its
// GotMessage notification. Releasing a window removes only our link, so
// other subclasses of the window (a tooltip's TTF_SUBCLASS tool, say)
// survive in either order.
#pragma once

#include "core/CreatorMath.h" // HiWord, LoWord, MakeLong

#include <windows.h>

#include <cstdint>
#include <functional>

class SubClasser {
  public:
    using GotMessageHandler =
        std::function<void(HWND& hWnd, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                           LRESULT& ReturnValue)>;

    // Makes sure the table exists first, so it outlives every object,
    // static ones included.
    SubClasser();
    SubClasser(const SubClasser&) = delete;
    SubClasser& operator=(const SubClasser&) = delete;
    // Releases every window this object hooks, so no record outlives it.
    ~SubClasser();

    HWND hWnd = nullptr; // the window it hooked last
    bool Active = false; // notifications are raised only while set
    GotMessageHandler GotMessage;

    // Hooks a window not yet in the table; false (and nothing changed) when
    // it already is. DontChangeProc records it without linking into its chain.
    bool SubClass(HWND window, bool DontChangeProc = false);
    // Releases the window named by hWnd: our link and its record go.
    void UnSubClass();
    // Raises GotMessage; called by the shared procedure only.
    void WndProc(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                 LRESULT& ReturnValue);
};

// A handler that lets the window paint itself, then draws over it.
SubClasser::GotMessageHandler PaintAfter(std::function<void(HDC)> draw);

// One record of the table. Records go when their window is released or
// destroyed (at WM_NCDESTROY, whatever the handler did), so the table
// shrinks and a later window with the same handle can be hooked.
struct SubClassRecord {
    HWND hWnd = nullptr;
    WNDPROC OldProc = nullptr; // the window's procedure when hooked; 0: not linked in
    SubClasser* Obj = nullptr;
};

int32_t SubClassCount();
// The record at `index`; raises 9 outside 0 to SubClassCount() - 1.
const SubClassRecord& SubClassAt(int32_t index);
// The index holding this window, -1 when none.
int32_t FindSubClass(HWND window);
// The rest of the window's chain (DefSubclassProc: inside a handler, the
// procedures below ours); DefWindowProc for a window recorded without a
// link; 0 for an unknown window. `index` is looked up when negative.
LRESULT CallOldWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int32_t index = -1);
// The window procedure of classes the creator registers for hooked windows.
LRESULT CALLBACK DefWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The shared procedure linked into every hooked window's chain.
LRESULT CALLBACK SubClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR data);
