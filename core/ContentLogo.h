// Content logos (Flash movies, web pages, web addresses): which names are
// web addresses, the page that wraps an address for the content host, and
// where the content goes in the logo page's preview.
#pragma once

#include "core/LogoPreview.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The top-level domains a typed name may end in to count as a web address,
// in the order they are tried.
const std::vector<std::wstring>& WebDomains();

// Whether a logo name is a web address. An existing file never is; "www."
// or "http://" at the start (any case) makes one; otherwise a name without
// "://" whose first character is a letter and whose part before the first
// "/" ends in "." and a listed domain is one. A name holding a backslash is
// a path, never an address.
bool IsWebAddress(std::wstring_view name, bool exists);

// The address with "http://" in front unless it starts so (any case).
std::wstring WithHttp(const std::wstring& address);

// `text` fit for an attribute quoted with either quote: ' " < > written as
// character references, every other byte kept.
std::string HtmlAttributeText(std::string_view text);

// The two-line page (each line ended by CR LF) that shows `address`, bytes
// of the system code page, in a frame filling the page.
std::string WrapperPage(std::string_view address);

// Where content of width x height goes in a preview of pW x pH for its
// placement `dynSize`: 3 the whole preview; 1 its own size in proportion
// to the screen; 0 and 2 fitted like a picture, never enlarged. Content
// without area on one side keeps at most the preview's side.
PreviewRect ContentRect(int32_t dynSize, int32_t width, int32_t height, int32_t pW, int32_t pH,
                        int32_t screenWidth, int32_t screenHeight);

// The pixel of a saveWidth x saveHeight logo drawn at `logo` under the
// preview point (x, y); nothing outside the logo (its far edges included)
// or when the logo has no area.
struct LogoPixel {
    int32_t X, Y;
};
std::optional<LogoPixel> PreviewToLogo(double x, double y, const PreviewRect& logo,
                                       int32_t saveWidth, int32_t saveHeight);
