#include "core/ContentLogo.h"
#include "core/TransparentSwatch.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(WebAddress, NamesThatAreAndAreNotAddresses) {
    // Web addresses when missing: "www." or "http://" first, or a host
    // (the part before the first "/") ending in a listed domain.
    for (const wchar_t* name :
         {L"www.nothing-listed", L"HTTP://LOCALHOST/x", L"Example.COM", L"example.com/logo.gif",
          L"news.bbc.co.uk/front", L"shop.ac", L"shop.zw", L"art.museum"})
        EXPECT_TRUE(IsWebAddress(name, false)) << testing::PrintToString(name);
    // Not: an existing file, a path, another scheme, a digit or sign first,
    // no dot, picture endings, a listed name only after the host.
    for (const wchar_t* name :
         {L"folder/picture.com", L"picture.gif", L"picture.png", L"picture.jpg", L"movie.swf",
          L"example.comx", L"https://example.com", L"ftp://example.com", L"1example.com", L".com",
          L"examplecom", L"", L"C:\\logos\\logo.com", L"logos\\www.example.com",
          L"c:/logos/logo.com"})
        EXPECT_FALSE(IsWebAddress(name, false)) << testing::PrintToString(name);
    for (const wchar_t* name : {L"www.example.com", L"example.com", L"http://example.com"})
        EXPECT_FALSE(IsWebAddress(name, true)) << testing::PrintToString(name);
    const std::vector<std::wstring>& domains = WebDomains();
    ASSERT_EQ(domains.size(), 268u);
    EXPECT_EQ(domains.front() + domains[54] + domains.back(), L"accomzw");
}

TEST(WebAddress, HttpIsPutInFrontOnlyWhenMissing) {
    EXPECT_EQ(WithHttp(L"www.example.com"), L"http://www.example.com");
    EXPECT_EQ(WithHttp(L"example.com/a"), L"http://example.com/a");
    EXPECT_EQ(WithHttp(L"http://x.org/a?b=1"), L"http://x.org/a?b=1");
    EXPECT_EQ(WithHttp(L"HTTP://X.ORG"), L"HTTP://X.ORG");
}

TEST(WrapperPage, BytesWholeForPlainAddresses) {
    EXPECT_EQ(WrapperPage("http://www.example.com"),
              "<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.01 Transitional//EN' "
              "'http://www.w3.org/TR/html4/loose.dtd'>\r\n"
              "<html><head><xmeta http-equiv='refresh' content='0;url=\"http://www.example.com\"' "
              "/></head><body style='height:2000px;margin:0px;'><iframe "
              "style='height:100%;width:100%' src='http://www.example.com'></iframe></body>"
              "</html>\r\n");
    EXPECT_EQ(WrapperPage("http://x.org/a?b=1"),
              "<!DOCTYPE HTML PUBLIC '-//W3C//DTD HTML 4.01 Transitional//EN' "
              "'http://www.w3.org/TR/html4/loose.dtd'>\r\n"
              "<html><head><xmeta http-equiv='refresh' content='0;url=\"http://x.org/a?b=1\"' "
              "/></head><body style='height:2000px;margin:0px;'><iframe "
              "style='height:100%;width:100%' src='http://x.org/a?b=1'></iframe></body>"
              "</html>\r\n");
}

TEST(WrapperPage, QuotesAndAnglesCannotEndTheAttributes) {
    EXPECT_EQ(HtmlAttributeText("http://x.org/?a=1&b=2%20#top"), "http://x.org/?a=1&b=2%20#top");
    EXPECT_EQ(HtmlAttributeText("a'b\"c<d>e"), "a&#39;b&quot;c&lt;d&gt;e");
    EXPECT_EQ(HtmlAttributeText("\xE9t\xE9"), "\xE9t\xE9"); // code-page bytes kept
    const std::string page = WrapperPage("http://x.org/'><script>\"");
    const std::string escaped = "http://x.org/&#39;&gt;&lt;script&gt;&quot;";
    const std::size_t first = page.find(escaped);
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(page.find(escaped, first + 1), std::string::npos); // in both places
    EXPECT_EQ(page.find("<script"), std::string::npos);
    // Only the page's own quotes remain: four single ones on line 1, the
    // rest of line 2's its markup's.
    EXPECT_EQ(std::count(page.begin(), page.end(), '"'), 2);
}

TEST(ContentRect, PlacementsAndPreviewPoints) {
    // A 216 x 204 preview of a 1920 x 1080 screen.
    const auto rect = [](int32_t dynSize, int32_t w, int32_t h) {
        const PreviewRect r = ContentRect(dynSize, w, h, 216, 204, 1920, 1080);
        return std::vector<int32_t>{r.Left, r.Top, r.Width, r.Height};
    };
    using V = std::vector<int32_t>;
    EXPECT_EQ(rect(3, 550, 400), (V{0, 0, 216, 204}));
    EXPECT_EQ(rect(1, 550, 400), (V{77, 64, 62, 76}));  // 61.875 and 75.56, centred
    EXPECT_EQ(rect(2, 550, 400), (V{0, 24, 216, 157})); // fitted; 23.5 to even
    EXPECT_EQ(rect(0, 100, 50), (V{58, 77, 100, 50}));  // never enlarged
    // Sizes from a header are data: no side of none, no overflow.
    EXPECT_EQ(rect(2, 0, 400), (V{108, 0, 0, 204}));
    EXPECT_EQ(rect(2, 107374182, 1), (V{0, 102, 216, 0}));
    EXPECT_EQ(rect(1, 107374182, 107374182), (V{-6039690, -10140793, 12079595, 20281790}));
    EXPECT_EQ(ContentRect(1, 50, 40, 216, 204, 0, 0).Width, 50);

    const PreviewRect logo{10, 20, 100, 50}; // a 200 x 100 logo at half size
    const auto at = [&](double x, double y) {
        const auto p = PreviewToLogo(x, y, logo, 200, 100);
        return p ? V{p->X, p->Y} : V{};
    };
    EXPECT_EQ(at(10, 20), (V{0, 0}));
    EXPECT_EQ(at(109.9, 69.9), (V{199, 99}));
    EXPECT_EQ(at(110, 20), V{}); // the far edge is outside
    EXPECT_EQ(at(9.9, 30), V{});
    EXPECT_FALSE(PreviewToLogo(0, 0, PreviewRect{0, 0, 0, 10}, 5, 5));
}

TEST(TransparentSwatch, DisabledMeanAndFlashInverse) {
    // Red over 0xC0 grey: 223.5 goes to 224, 96 stays.
    EXPECT_EQ(DisabledSwatchColour(0x0000FF, 0xC0C0C0), 0x6060E0);
    // Halves to even in each channel: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2.
    EXPECT_EQ(DisabledSwatchColour(0x050301, 0x000000), 0x020200);
    EXPECT_EQ(DisabledSwatchColour(0xFFFFFF, 0xFFFFFF), 0xFFFFFF);
    EXPECT_EQ(InverseColour(0x123456), 0xEDCBA9);
    EXPECT_EQ(InverseColour(0), 0xFFFFFF);
    EXPECT_EQ(InverseColour(static_cast<int32_t>(0x80FFFFFF)), 0); // the top byte never shows
}
