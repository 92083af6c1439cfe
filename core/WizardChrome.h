// The wizard window's frame rules apart from the windows: the glass
// layout, which points of the glass frame drag the window, the help topic
// of each page and the keys that open the About box.
#pragma once

#include "core/WizardPages.h"

#include <cstdint>
#include <string>

struct ChromeRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
};

struct ChromePoint {
    int32_t x = 0, y = 0;
};

// What the glass layout starts from, in pixels.
struct GlassFrameInput {
    int32_t fx = 0, fy = 0, cap = 0; // SM_CXFRAME, SM_CYFRAME, SM_CYCAPTION
    int32_t smallIcon = 0;           // SM_CXSMICON
    int32_t outerWidth = 0, outerHeight = 0;
    int32_t headerHeight = 0; // picHeader's height before the move
    int32_t navHeight = 0;
};

// The extended frame, in the platform's order: left, right, top, bottom.
struct GlassMargins {
    int32_t left = 0, right = 0, top = 0, bottom = 0;
};

struct GlassLayout {
    ChromeRect header;    // picHeader in the window's client area
    ChromeRect main;      // picMain in the window's client area
    ChromeRect about;     // picAbout inside picHeader
    ChromePoint nav;      // Nav's top-left corner inside picHeader
    GlassMargins margins; // DwmExtendFrameIntoClientArea
    ChromePoint logoOnAbout, logoOnWindow, tinyOnWindow;
    ChromeRect title; // the glowing caption's rectangle on the window
};

constexpr int32_t GlassLogoSize = 46;
constexpr int32_t GlassTinySize = 16;

GlassLayout ComputeGlassLayout(const GlassFrameInput& in);

// "noglass" anywhere in the lower-cased command line.
bool NoGlassRequested(const std::wstring& commandLine);

// Hit-test answer of a client point on the glass frame: 2 (HTCAPTION) in the
// fx and fy strips along the edges and above the caption height, else 0
// (the previous procedure answers).
int32_t GlassHitTest(ChromePoint client, int32_t clientWidth, int32_t clientHeight, int32_t fx,
                     int32_t fy, int32_t cap);

// A left press on the window's top-left corner (client x and y at most 19)
// opens the window menu there.
bool InWindowMenuCorner(ChromePoint client);

// The help topic of a page: "/howto/index.html" below PageLogo,
// "/howto/stepN.html" for PageLogo (1) to PageSave (4), "/howto/finished.html"
// from PageDone.
std::wstring HelpTopicOf(int32_t currentStep);

// Shift states as the form layer reports them.
enum : int32_t { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };
// Alt+F1 alone (key 112 with exactly the Alt state).
bool IsAboutKey(int32_t keyCode, int32_t shift);

// A library settings page's help text: the ANSI bytes up to the first NUL
// (at most `size`).
std::string HelpBytes(const char* buffer, std::size_t size);
// A button's caption as a balloon title: every "&" removed.
std::wstring TitleWithoutAccelerators(std::wstring caption);
