// GetDynamicType on real files: the size record, missing files, and the
// failures it raises to its caller.
#include "tests/support/WinTest.h"
#include "wizard/frame/DynamicContent.h"
#include "wizard/frame/Errors.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

// "FWS"/"CWS", version 10, length, then a RECT of N = 15: Xmin 0, Xmax 11000,
// Ymin 0, Ymax 8000 (550 by 400 pixels), frame rate, frame count, end tag.
std::vector<uint8_t> Movie(bool compressed) {
    const std::vector<uint8_t> rect = {0x78, 0x00, 0x05, 0x5F, 0x00, 0x00, 0x0F, 0xA0, 0x00};
    std::vector<uint8_t> body = rect;
    body.insert(body.end(), {0x00, 0x18, 0x01, 0x00, 0x00, 0x00});
    std::vector<uint8_t> file = Bytes(compressed ? "CWS" : "FWS");
    file.insert(file.end(), {10, 0xFF, 0xFF, 0xFF, 0x7F}); // claims 2 GB
    if (compressed) {
        uLongf size = compressBound(static_cast<uLong>(body.size()));
        std::vector<uint8_t> z(size);
        compress(z.data(), &size, body.data(), static_cast<uLong>(body.size()));
        z.resize(size);
        body = z;
    }
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::wstring W(const std::string& s) {
    return std::wstring(s.begin(), s.end());
}

} // namespace

TEST(GetDynamicType, FlashMoviesGiveTheirFrameSize) {
    TempFolder dir;
    for (bool compressed : {false, true}) {
        WriteFileBytes(dir.Path("movie.bin"), Movie(compressed));
        RECT size = {7, 8, 0, 0};
        EXPECT_EQ(GetDynamicType(W(dir.Path("movie.bin")), size), L"Flash");
        EXPECT_EQ(size.left, 7);
        EXPECT_EQ(size.top, 8);
        EXPECT_EQ(size.right, 550);
        EXPECT_EQ(size.bottom, 400);
    }
}

TEST(GetDynamicType, PagesAndOtherFiles) {
    TempFolder dir;
    WriteFileBytes(dir.Path("page.swf"), Bytes("<HTML><BODY>logo</BODY></HTML>"));
    WriteFileBytes(dir.Path("bold.htm"), Bytes("<b>only bold"));
    RECT size = {1, 2, 3, 4};
    // Decided by the bytes, not by the name.
    EXPECT_EQ(GetDynamicType(W(dir.Path("page.swf")), size), L"HTML");
    EXPECT_EQ(GetDynamicType(W(dir.Path("bold.htm")), size), L"");
    EXPECT_EQ(GetDynamicType(W(dir.Path("missing.swf")), size), L"");
    EXPECT_EQ(GetDynamicType(W(dir.Path("")), size), L""); // a folder
    EXPECT_EQ(size.left, 1);
    EXPECT_EQ(size.top, 2);
    EXPECT_EQ(size.right, 3);
    EXPECT_EQ(size.bottom, 4);
}

TEST(GetDynamicType, BrokenMovies) {
    TempFolder dir;
    // Compressed data that does not inflate: 0 by 0, as "unknown".
    WriteFileBytes(dir.Path("bad.swf"), Bytes("CWS\x0a\x10\x00\x00\x00not zlib data at all"));
    RECT size = {0, 0, 99, 99};
    EXPECT_EQ(GetDynamicType(W(dir.Path("bad.swf")), size), L"Flash");
    EXPECT_EQ(size.right, 0);
    EXPECT_EQ(size.bottom, 0);

    // A movie that ends inside its frame rectangle is an error for the caller.
    std::vector<uint8_t> cut = Movie(false);
    cut.resize(12);
    WriteFileBytes(dir.Path("cut.swf"), cut);
    size = {0, 0, 5, 5};
    EXPECT_THROW(GetDynamicType(W(dir.Path("cut.swf")), size), CreatorError);
    EXPECT_EQ(size.right, 5);
}

TEST(GetDynamicType, UnreadableFileIsRaised) {
    TempFolder dir;
    WriteFileBytes(dir.Path("locked.swf"), Movie(false));
    UniqueFile lock(CreateFileA(dir.Path("locked.swf").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    RECT size = {};
    try {
        GetDynamicType(W(dir.Path("locked.swf")), size);
        FAIL() << "no error raised";
    } catch (const CreatorError& e) {
        EXPECT_EQ(e.Number(), static_cast<int32_t>(ERROR_SHARING_VIOLATION));
    }
}
