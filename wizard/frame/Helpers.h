// modMain's shared helpers that work on windows; the text and arithmetic
// ones (CatStr, ChopNull, FileChars, StartsWith, EndsWith, colour parts, bit
// strings) are in core/CreatorText.h and core/CreatorMath.h.
#pragma once

#include "core/CreatorMath.h"
#include "core/CreatorText.h"
#include "wizard/frame/Form.h"

#include <windows.h>

#include <string>

// AdjustCaption with the program's own version text.
std::wstring AdjustCaption(const std::wstring& text);
// Expands the placeholders in a form's caption and tag and in the captions,
// texts and tags of its labels, command buttons and text boxes; a form other
// than the wizard first takes the wizard window's icon.
void AdjustCaptions(Form& form);

bool FileExists(const std::wstring& path);
// True while the key is held down.
bool KeyIsDown(int vk);

// Renumbers the tab order of the controls inside a container (nullptr: the
// form itself) in reading order: upper rows first, left to right.
void SetTabOrder(Form& form, Control* container = nullptr);
// The reading-order key of one control, in its container's twips.
int32_t TabOrderKey(const Control& control);

// Gives every control of the form the system's GUI font; a control designed
// larger or smaller than the form keeps that difference, bold stays bold.
void ApplySystemFont(Form& form);

// Selects the whole text of a text box (the form's, or the active form's,
// active control when none is given) unless the left mouse button is down.
void SelectAllText(Control* textBox, Form* form = nullptr);

// Shell auto-completion of paths in a text box; failures are ignored.
void EnableAutoComplete(Control& textBox);

// Big and small icons of a window (and its top owner) from an icon resource.
void SetFormIcon(HWND window, const wchar_t* iconName, bool alsoOwner);

// Draws a 32-bit bitmap resource with its own alpha, scaled by `alpha` (255 full).
void DrawAlphaBitmap(HDC dc, const wchar_t* bitmapName, int x, int y, int width, int height,
                     int alpha);

// ExtractIconW of `file` (empty: the saver library "quorvel.dll"); an index
// below 0 gives the number of icons in the file instead of an icon.
UINT_PTR GetFileIcon(const std::wstring& file, int index);
