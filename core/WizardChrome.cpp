#include "core/WizardChrome.h"

#include "core/CreatorMath.h"

#include <algorithm>
#include <cwctype>

GlassLayout ComputeGlassLayout(const GlassFrameInput& in) {
    GlassLayout out;
    const int32_t W = in.outerWidth;
    const int32_t H = in.outerHeight - 10;
    // The header loses 8: 10 off its bottom for the shorter window, 2 back.
    out.header = {in.fy, in.cap, in.fy + W - 2 * in.fy, in.cap + in.headerHeight - 8};
    const int32_t mainTop = out.header.bottom;
    out.main = {out.header.left, mainTop, out.header.right,
                mainTop + H - (out.header.Height() + out.header.top) - in.fx};
    out.about = {out.header.Width() - GlassLogoSize, 0, out.header.Width(), GlassLogoSize};
    out.nav = {0, out.header.Height() - in.navHeight};
    out.margins = {in.fy, in.fy, out.header.bottom + 1, in.fx};
    out.logoOnAbout = {0, -10};
    out.logoOnWindow = {out.header.left + out.about.left, out.header.top + out.about.top - 10};
    out.tinyOnWindow = {in.fy, RoundHalfEven(in.fx / 2.0)};
    out.title = {2 * in.fx + in.smallIcon, in.fx, 200, in.cap};
    return out;
}

bool NoGlassRequested(const std::wstring& commandLine) {
    std::wstring lower = commandLine;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return lower.find(L"noglass") != std::wstring::npos;
}

int32_t GlassHitTest(ChromePoint p, int32_t clientWidth, int32_t clientHeight, int32_t fx,
                     int32_t fy, int32_t cap) {
    if (p.x < fx || p.x >= clientWidth - fx || p.y < fy || p.y >= clientHeight - fy)
        return 2;
    if (p.y < cap)
        return 2;
    return 0;
}

bool InWindowMenuCorner(ChromePoint p) {
    return p.x <= 19 && p.y <= 19;
}

std::wstring HelpTopicOf(int32_t currentStep) {
    if (currentStep < PageLogo)
        return L"/howto/index.html";
    if (currentStep <= PageSave)
        return L"/howto/step" + std::to_wstring(currentStep) + L".html";
    return L"/howto/finished.html";
}

bool IsAboutKey(int32_t keyCode, int32_t shift) {
    return keyCode == 112 && shift == AltMask;
}

std::string HelpBytes(const char* buffer, std::size_t size) {
    const char* end = std::find(buffer, buffer + size, '\0');
    return std::string(buffer, end);
}

std::wstring TitleWithoutAccelerators(std::wstring caption) {
    std::erase(caption, L'&');
    return caption;
}
