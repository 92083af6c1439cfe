// The logo as the effects draw it: a bitmap in a memory DC with its
// rectangle, or a content host window over the saver window for Flash and
// web logos; and the one routine that puts it on the screen.
#pragma once

#include "core/EffectInfo.h"
#include "saver/SaverState.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Fields of Shared (SaverState.h says which thread writes each).
extern RECT& ScreenRect; // client area of the saver window, less a pixel (see LoadLogo)
extern RECT& ClientRect; // the whole client area, as ScreenRect was before that cut
extern LogoRectangle& LogoRect;
extern HDC& LogoDC; // memory DC with the logo bitmap (the scaled copy in a preview pane)
extern HBITMAP& LogoBitmap;
extern HDC& DisplayDC;          // DC on the display, owned by the saver window
extern HBRUSH& BackgroundBrush; // brush of BackgroundColor, owned by the saver window
extern int& DrawTransparent;    // 1: every draw applies the logo's transparency
extern int& LowColour;          // 1: the display has fewer than 32 bits per pixel
extern HWND& ContentWindow;     // the content host window in content mode

inline int32_t ScreenWidth() {
    return ScreenRect.right;
}
inline int32_t ScreenHeight() {
    return ScreenRect.bottom;
}
// The whole window, ScreenRect's pixel included (a run whose logo was never
// loaded has only ScreenRect).
inline int32_t WindowWidth() {
    return ClientRect.right > ScreenRect.right ? ClientRect.right : ScreenRect.right;
}
inline int32_t WindowHeight() {
    return ClientRect.bottom > ScreenRect.bottom ? ClientRect.bottom : ScreenRect.bottom;
}

// True when the logo is Flash or web content rather than a bitmap.
bool ContentMode();

// A path in the temporary folder: a unique "<prefix>XXXX.tmp" (created
// empty) without a name; with a name the name itself when it is free, else
// "<prefix>XXXX_<name>".
std::string MakeTempName(const char* prefix, const char* name);

// Writes the logo block (without its content name block) to `path`, making
// a name first when `path` is empty. Returns the bytes written.
uint32_t WriteLogoTemp(std::string& path);

// Deletes the logo DCs and bitmaps and zeroes X, Y, Width and Height.
void ReleaseLogo();

// Loads the logo through the module's loader (see SaverHooks.h): the
// screensaver's LoadSaverLogo unless the library put its own in place.
// False when there was no logo: the error was shown and the program is
// ending.
bool LoadLogo();

// The screensaver's loader: the logo block carried in its own file. A
// content file is written to the temporary folder once a saver window.
bool LoadSaverLogo();

// Deletes the content file once its host window is gone.
void RemoveContentTemp();

// Loads the bitmap file at `path` as the logo, its size into LogoRect; a
// file the loader rejects gives a 0 x 0 logo. The file is left in place.
void LoadLogoBitmap(const std::string& path);

// Shrinks the logo bitmap for the preview pane and fixes the screen size
// for a logo as large as the screen. Shared by every loader.
void FinishLogoLoad(bool bitmapLogo);

// Chooses DrawTransparent for the current effect and, when the logo can be
// drawn opaquely, composes it onto the background colour once.
void PrepareLogo();

// The largest rectangle of size.right x size.bottom's aspect inside
// ScreenRect, centred.
RECT FitToAspect(const RECT& size);

// Draws the logo in a display mode (0 plain at the rectangle, 1 normal
// size, 2 full screen, 3 stretched, 4 tiled) from `source` (null: LogoRect)
// and returns the rectangle covered in `covered` when given. Nothing in
// content mode.
void DrawLogo(HDC dc, int mode, const LogoRectangle* source = nullptr, RECT* covered = nullptr);
void DrawLogoPlain(HDC dc);

// The content mode's counterpart of an effect's draw function.
void DrawContent(HDC dc, EffectOp op);

// Makes the content host window when it is missing; runs on the window
// thread, which owns the saver window (see DrawContent).
void EnsureContentWindow();

// Text handed to the content host: the content file's temporary path, or
// the address carried in the logo block.
extern std::string& ContentText;

// On the render thread once the logo is loaded and prepared: hands the
// content host's text and place to the window thread.
void PublishContentHost();
