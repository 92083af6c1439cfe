// Drives a modal sheet or dialog of this thread from a timer that fires
// inside its modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs `modal` (which shows a modal window and returns when it closes); as
// soon as a visible dialog of this thread shows, `driver` gets it. A driver
// that leaves it open (a failed assertion) has it cancelled.
void DriveModal(const std::function<void()>& modal, const std::function<void(HWND)>& driver);

// Property sheet helpers.
HWND CurrentPage(HWND sheet);
HWND SelectPage(HWND sheet, int index); // the page shown then
int PageCount(HWND sheet);
std::string PageTitle(HWND sheet, int index); // sheets of this process only
void PressOk(HWND sheet);
void PressCancel(HWND sheet);

// Clicks a button as the user does (BM_CLICK).
void Click(HWND dialog, int id);
std::string ClassOf(HWND window);
std::string TextOf(HWND window);
