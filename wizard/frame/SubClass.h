// Window subclassing: one program-wide table of hooked windows and one shared
// window procedure that hands each message to the window's SubClasser as its
// GotMessage notification.
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
    // it already is. DontChangeProc records it without replacing its procedure.
    bool SubClass(HWND window, bool DontChangeProc = false);
    // Releases the window named by hWnd and restores its procedure.
    void UnSubClass();
    // Raises GotMessage; called by the shared window procedure only.
    void WndProc(HWND& window, UINT& message, WPARAM& wParam, LPARAM& lParam, bool& Proceed,
                 LRESULT& ReturnValue);
};

// One record of the table; released records keep their slot with hWnd 0.
struct SubClassRecord {
    HWND hWnd = nullptr;
    WNDPROC OldProc = nullptr;
    SubClasser* Obj = nullptr;
};

int32_t SubClassCount();
// The record at `index`; raises 9 outside 0 to SubClassCount() - 1.
const SubClassRecord& SubClassAt(int32_t index);
// The lowest index holding this window, -1 when none.
int32_t FindSubClass(HWND window);
// Runs the window's previous procedure (DefWindowProc when it had none);
// a negative index is looked up, and 0 returned for an unknown window.
LRESULT CallOldWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int32_t index = -1);
// The window procedure of classes the creator registers for hooked windows.
LRESULT CALLBACK DefWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The shared procedure installed in every hooked window.
LRESULT CALLBACK SubClassWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
