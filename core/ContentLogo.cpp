#include "core/ContentLogo.h"

#include "core/CreatorMath.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace {

constexpr std::wstring_view DomainList =
    L"ac|ad|ae|aero|af|ag|ai|al|am|an|ao|aq|ar|arpa|as|asia|at|au|aw|ax|az|ba|bb|bd|be|bf|bg|bh|"
    L"bi|biz|bj|bm|bn|bo|br|bs|bt|bv|bw|by|bz|ca|cat|cc|cd|cf|cg|ch|ci|ck|cl|cm|cn|co|com|coop|cr|"
    L"cu|cv|cx|cy|cz|de|dj|dk|dm|do|dz|ec|edu|ee|eg|er|es|et|eu|fi|fj|fk|fm|fo|fr|ga|gb|gd|ge|gf|"
    L"gg|gh|gi|gl|gm|gn|gov|gp|gq|gr|gs|gt|gu|gw|gy|hk|hm|hn|hr|ht|hu|id|ie|il|im|in|info|int|io|"
    L"iq|ir|is|it|je|jm|jo|jobs|jp|ke|kg|kh|ki|km|kn|kp|kr|kw|ky|kz|la|lb|lc|li|lk|lr|ls|lt|lu|lv|"
    L"ly|ma|mc|md|me|mg|mh|mil|mk|ml|mm|mn|mo|mobi|mp|mq|mr|ms|mt|mu|museum|mv|mw|mx|my|mz|na|"
    L"name|nc|ne|net|nf|ng|ni|nl|no|np|nr|nu|nz|om|org|pa|pe|pf|pg|ph|pk|pl|pm|pn|pr|pro|ps|pt|pw|"
    L"py|qa|re|ro|rs|ru|rw|sa|sb|sc|sd|se|sg|sh|si|sj|sk|sl|sm|sn|so|sr|st|su|sv|sy|sz|tc|td|tel|"
    L"tf|tg|th|tj|tk|tl|tm|tn|to|tp|tr|travel|tt|tv|tw|tz|ua|ug|uk|us|uy|uz|va|vc|ve|vg|vi|vn|vu|"
    L"wf|ws|ye|yt|za|zm|zw";

std::wstring Lower(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    return out;
}

bool IsLetter(wchar_t c) {
    return std::towlower(static_cast<wint_t>(c)) != std::towupper(static_cast<wint_t>(c));
}

bool EndsIn(std::wstring_view s, std::wstring_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

} // namespace

const std::vector<std::wstring>& WebDomains() {
    static const std::vector<std::wstring> names = [] {
        std::vector<std::wstring> out;
        std::size_t start = 0;
        for (;;) {
            const std::size_t bar = DomainList.find(L'|', start);
            out.emplace_back(DomainList.substr(start, bar - start));
            if (bar == std::wstring_view::npos)
                return out;
            start = bar + 1;
        }
    }();
    return names;
}

bool IsWebAddress(std::wstring_view name, bool exists) {
    // A backslash makes a path: "C:\logos\logo.com" that is missing is a
    // missing file, not the host "c:\logos\logo.com".
    if (exists || name.find(L'\\') != std::wstring_view::npos)
        return false;
    const std::wstring lower = Lower(name);
    if (lower.starts_with(L"www.") || lower.starts_with(L"http://"))
        return true;
    if (name.empty() || name.find(L"://") != std::wstring_view::npos || !IsLetter(name[0]) ||
        name.find(L'.') == std::wstring_view::npos)
        return false;
    const std::wstring host = lower.substr(0, lower.find(L'/'));
    for (const std::wstring& domain : WebDomains())
        if (EndsIn(host, L"." + domain))
            return true;
    return false;
}

std::wstring WithHttp(const std::wstring& address) {
    return Lower(address).starts_with(L"http://") ? address : L"http://" + address;
}

std::string HtmlAttributeText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text)
        switch (c) {
        case '\'':
            out += "&#39;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += c;
        }
    return out;
}

std::string WrapperPage(std::string_view address) {
    const std::string a = HtmlAttributeText(address);
    return "<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.01 Transitional//EN' "
           "'http://www.w3.org/TR/html4/loose.dtd'>\r\n"
           "<html><head><xmeta http-equiv='refresh' content='0;url=\"" +
           a +
           "\"' /></head><body style='height:2000px;margin:0px;'><iframe "
           "style='height:100%;width:100%' src='" +
           a + "'></iframe></body></html>\r\n";
}

PreviewRect ContentRect(int32_t dynSize, int32_t width, int32_t height, int32_t pW, int32_t pH,
                        int32_t screenWidth, int32_t screenHeight) {
    if (dynSize == 3)
        return {0, 0, pW, pH};
    int32_t w = 0, h = 0;
    if (dynSize == 1) {
        // No screen size to compare with: the preview stands for the screen.
        const double sx = screenWidth > 0 ? static_cast<double>(pW) / screenWidth : 1.0;
        const double sy = screenHeight > 0 ? static_cast<double>(pH) / screenHeight : 1.0;
        w = RoundHalfEven(sx * width);
        h = RoundHalfEven(sy * height);
    } else if (width <= 0 || height <= 0) {
        w = std::clamp(width, 0, std::max(pW, 0));
        h = std::clamp(height, 0, std::max(pH, 0));
    } else {
        return PreviewLogoRect(width, height, pW, pH);
    }
    return {RoundHalfEven((pW - w) / 2.0), RoundHalfEven((pH - h) / 2.0), w, h};
}

std::optional<LogoPixel> PreviewToLogo(double x, double y, const PreviewRect& logo,
                                       int32_t saveWidth, int32_t saveHeight) {
    if (logo.Width == 0 || logo.Height == 0)
        return std::nullopt;
    const double u = (x - logo.Left) * saveWidth / logo.Width;
    const double v = (y - logo.Top) * saveHeight / logo.Height;
    if (!(u >= 0 && v >= 0 && u < saveWidth && v < saveHeight))
        return std::nullopt;
    return LogoPixel{static_cast<int32_t>(std::floor(u)), static_cast<int32_t>(std::floor(v))};
}
