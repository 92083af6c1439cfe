// Making and reopening savers through the real quorvel.dll, without a
// window: the written file parsed with core/, failures that keep an earlier
// file whole and the recent list unchanged.
#include "core/Bmp32.h"
#include "core/SaverTail.h"
#include "tests/support/SaverFiles.h"
#include "tests/wizard/WizardFiles.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/Imaging.h"
#include "wizard/frame/SaverLibrary.h"
#include "wizard/pages/SaverFileWork.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int32_t Version = 40515;

// What page 2 hands to the library: defaults, version, the scaled logo as
// a 32-bit bitmap, the colours.
std::wstring HandOver(const TempFolder& dir, const Picture& logo, int32_t background = 0,
                      int32_t key = -1) {
    SaverExports& library = SaverLibrary();
    library.SetSettings(nullptr);
    library.GetVersion(Version);
    std::wstring bmp = Wide(dir.Path("yls-logo.bmp"));
    HandOverPictureLogo(logo, logo.Width, logo.Height, bmp);
    library.SetColor(background, key);
    return bmp;
}

Picture BuiltInLogo() {
    const std::vector<uint8_t> defimg = ResourceBytes(L"DEFIMG");
    ImageLoad load = LoadPictureBytes(defimg.data(), defimg.size(), AlphaForm::AsLogo);
    EXPECT_EQ(load.Status, ImageStatus::Ok);
    return load.Image;
}

struct Parsed {
    SaverTrailer Record{};
    std::vector<uint8_t> Logo;
    ReadResult Result;
};
Parsed Parse(const std::wstring& path) {
    const std::vector<uint8_t> bytes = ReadFileBytes(std::string(path.begin(), path.end()));
    Parsed p;
    ByteTailSource source(bytes.data(), bytes.size());
    p.Result = ReadSaverTail(source, p.Record, p.Logo, 1);
    return p;
}

struct Recent : SettingsRecord {
    int32_t CountBefore = 0;
};

SaverRequest Request(const std::wstring& logo, const std::wstring& target) {
    SaverRequest r;
    r.Name = L"  Test Saver ";
    r.LogoFile = logo;
    r.SaveAs = target;
    return r;
}

// The built-in logo with its colours premultiplied, worked out here from
// the file's own bytes.
std::vector<uint8_t> PremultipliedDefimg() {
    std::vector<uint8_t> b = ResourceBytes(L"DEFIMG");
    for (std::size_t i = 54; i + 4 <= b.size(); i += 4)
        for (int c = 0; c < 3; ++c)
            b[i + c] = static_cast<uint8_t>((b[i + c] * b[i + 3] + 127) / 255);
    return b;
}

TEST(SaverFileWork, BuiltInLogoSaverReopensAndSavesTheSameLogo) {
    TempFolder dir;
    SettingsRecord settings;
    const int ylsBefore = CountTempFiles("yls*.tmp");
    std::vector<int32_t> progress;
    SaverRequest request = Request(HandOver(dir, BuiltInLogo()), Wide(dir.Path("first.scr")));
    request.Progress = [&](int32_t p) { progress.push_back(p); };
    const SaverOutcome made = WriteSaverFile(request, settings);
    ASSERT_TRUE(made.Written) << std::string(made.Message.begin(), made.Message.end());
    EXPECT_EQ(progress.back(), 100);

    const Parsed first = Parse(request.SaveAs);
    ASSERT_EQ(first.Result, ReadOk);
    EXPECT_STREQ(first.Record.SaverName, "Test Saver");
    EXPECT_STREQ(first.Record.AboutText, " ");
    EXPECT_STREQ(first.Record.WebAddress, " ");
    EXPECT_EQ(first.Record.CreatorVersion, Version);
    EXPECT_EQ(first.Record.PicHasTrans, -1);
    EXPECT_EQ(first.Record.Settings.AllowConfig, 1);
    EXPECT_EQ(first.Logo, PremultipliedDefimg());
    EXPECT_EQ(settings.MRUCount, 1);
    EXPECT_EQ(settings.MRUFile[0], request.SaveAs);
    EXPECT_EQ(settings.MRUName[0], L"  Test Saver "); // as typed
    EXPECT_EQ(CountTempFiles("yls*.tmp"), ylsBefore); // the temporary saver is gone
    EXPECT_EQ(CountFiles(dir.Path("*.new")), 0);

    // Reopened: the texts come back, the logo is straight again, and saving
    // it unchanged writes the same logo bytes.
    const ReopenedSaver reopened = ReadSaverForWizard(request.SaveAs, settings);
    ASSERT_TRUE(reopened.FromSaver);
    EXPECT_EQ(reopened.Name, L"Test Saver");
    EXPECT_EQ(reopened.About, L" ");
    EXPECT_EQ(reopened.IconFile, request.SaveAs);
    EXPECT_EQ(reopened.LogoFile, ExtractedLogoPath());
    EXPECT_TRUE(reopened.LogoSaved);
    const ImageLoad again = LoadPictureFile(reopened.LogoFile, AlphaForm::AsLogo);
    ASSERT_EQ(again.Status, ImageStatus::Ok);
    SaverRequest second = Request(HandOver(dir, again.Image), Wide(dir.Path("second.scr")));
    second.PreventChanges = true;
    ASSERT_TRUE(WriteSaverFile(second, settings).Written);
    const Parsed resaved = Parse(second.SaveAs);
    EXPECT_EQ(resaved.Logo, first.Logo);
    EXPECT_EQ(resaved.Record.Settings.AllowConfig, 0);
    EXPECT_EQ(settings.MRUCount, 2);
    EXPECT_EQ(settings.MRUFile[0], second.SaveAs);

    // Saved to the first path again: one entry, moved to the front.
    ASSERT_TRUE(WriteSaverFile(request, settings).Written);
    EXPECT_EQ(settings.MRUCount, 2);
    EXPECT_EQ(settings.MRUFile[0], request.SaveAs);
}

TEST(SaverFileWork, LargePngWithAlphaBecomesThePremultipliedLogo) {
    TempFolder dir;
    SettingsRecord settings;
    const ImageLoad load =
        LoadPictureFile(ResourceFile(dir, L"PIC_LARGE_PNG", "large.png"), AlphaForm::AsLogo);
    ASSERT_EQ(load.Status, ImageStatus::Ok);
    ASSERT_TRUE(PictureHasTrans(load.Image));
    const SaverRequest request = Request(HandOver(dir, load.Image), Wide(dir.Path("large.scr")));
    ASSERT_TRUE(WriteSaverFile(request, settings).Written);
    const Parsed saver = Parse(request.SaveAs);
    ASSERT_EQ(saver.Result, ReadOk);
    // The expected bitmap, worked out from the picture's pattern.
    ASSERT_EQ(saver.Logo.size(), 54u + 1920u * 1080 * 4);
    int bad = 0;
    for (int y = 0; y < 1080; ++y)
        for (int x = 0; x < 1920; ++x) {
            const uint8_t* px = saver.Logo.data() + 54 + ((1079 - y) * 1920 + x) * 4;
            const unsigned a = (x / 64) * 8 + 7;
            const unsigned want[4] = {(200 * a + 127) / 255, (40 * a + 127) / 255,
                                      (((y * 3) & 255) * a + 127) / 255, a};
            for (int c = 0; c < 4; ++c)
                bad += px[c] != want[c];
        }
    EXPECT_EQ(bad, 0);
}

TEST(SaverFileWork, HandOverScalesAndWritesLogosWithoutAlphaOpaque) {
    TempFolder dir;
    // A GIF with a transparent entry is left to the colour key: opaque, and
    // its colours kept (not taken for premultiplied ones and blackened).
    const ImageLoad gif =
        LoadPictureFile(ResourceFile(dir, L"PIC_KEYED_GIF", "keyed.gif"), AlphaForm::AsLogo);
    ASSERT_EQ(gif.Status, ImageStatus::Ok);
    std::wstring temp; // made on first use
    ASSERT_NO_THROW(HandOverPictureLogo(gif.Image, 10, 5, temp));
    EXPECT_NE(temp.find(L"yls"), std::wstring::npos);
    std::vector<uint8_t> bytes = ReadFileBytes(std::string(temp.begin(), temp.end()));
    DeleteFileW(temp.c_str());
    auto written = ReadBmp32(bytes.data(), bytes.size());
    ASSERT_TRUE(written);
    EXPECT_EQ(written->Width, 10);
    EXPECT_EQ(written->Height, 5);
    for (std::size_t i = 3; i < written->Pixels.size(); i += 4)
        EXPECT_EQ(written->Pixels[i], 255);
    const uint8_t* white = written->Pixels.data() + (2 * 10 + 8) * 4; // entry 3's band
    EXPECT_GE(white[0], 200);
    EXPECT_GE(white[2], 200);

    // A logo with alpha: premultiplied, scaled, every colour within its alpha.
    const ImageLoad png =
        LoadPictureFile(ResourceFile(dir, L"PIC_ALPHA_PNG", "a.png"), AlphaForm::Straight);
    std::wstring bmp = Wide(dir.Path("logo.bmp"));
    ASSERT_NO_THROW(HandOverPictureLogo(png.Image, 20, 15, bmp));
    bytes = ReadFileBytes(dir.Path("logo.bmp"));
    written = ReadBmp32(bytes.data(), bytes.size());
    ASSERT_TRUE(written);
    int above = 0;
    for (std::size_t i = 0; i < written->Pixels.size(); i += 4)
        above += std::max({written->Pixels[i], written->Pixels[i + 1], written->Pixels[i + 2]}) >
                 written->Pixels[i + 3];
    EXPECT_EQ(above, 0);
    EXPECT_EQ(written->Pixels.size(), 20u * 15 * 4);
}

TEST(SaverFileWork, FailuresSayWhyAndKeepTheEarlierFileAndTheRecentList) {
    TempFolder dir;
    SettingsRecord settings;
    const std::wstring logo = HandOver(dir, BuiltInLogo());
    const std::wstring target = Wide(dir.Path("kept.scr"));
    ASSERT_TRUE(WriteSaverFile(Request(logo, target), settings).Written);
    const std::vector<uint8_t> before = ReadFileBytes(dir.Path("kept.scr"));
    const auto recentBefore = settings.MRUFile;

    const std::wstring prefix =
        L"The following error occured while trying to save your screensaver:\r\n\r\n";
    const auto expectRefused = [&](SaverRequest request, DWORD code, const char* what) {
        SCOPED_TRACE(what);
        const SaverOutcome outcome = WriteSaverFile(request, settings);
        EXPECT_FALSE(outcome.Written);
        EXPECT_EQ(outcome.Message, prefix + Win32Error(code).Description());
        EXPECT_EQ(ReadFileBytes(dir.Path("kept.scr")), before);
        EXPECT_EQ(settings.MRUCount, 1);
        EXPECT_EQ(settings.MRUFile, recentBefore);
        EXPECT_EQ(CountFiles(dir.Path("*.new")), 0);
    };
    CreateDirectoryA(dir.Path("folder.scr").c_str(), nullptr);
    expectRefused(Request(logo, Wide(dir.Path("folder.scr"))), ERROR_ACCESS_DENIED, "a folder");
    expectRefused(Request(logo, Wide(dir.Path("missing\\x.scr"))), ERROR_PATH_NOT_FOUND,
                  "a missing folder");
    for (const char* device : {"CON", "nul.scr", "COM3.scr", "lpt9", "AUX .txt"})
        expectRefused(Request(logo, Wide(dir.Path(device))), ERROR_INVALID_NAME, device);
    expectRefused(Request(logo, Wide(dir.Path("what?.scr"))), ERROR_INVALID_NAME, "a '?'");
    {
        int blocks = 0;
        ScopedCopyBlockWriter fullDisk([&](HANDLE file, const uint8_t* data, DWORD size) {
            DWORD put = 0;
            if (blocks++ > 0) { // the first block fits, then the disk is full
                SetLastError(ERROR_DISK_FULL);
                return false;
            }
            return WriteFile(file, data, size, &put, nullptr) && put == size;
        });
        expectRefused(Request(logo, target), ERROR_DISK_FULL, "a full disk");
        EXPECT_GE(blocks, 2);
    }

    // The library's own failures: no logo file, no saver file to finish.
    SaverRequest noLogo = Request(Wide(dir.Path("gone.bmp")), target);
    SaverOutcome outcome = WriteSaverFile(noLogo, settings);
    EXPECT_EQ(outcome.Message, prefix + L"The logo could not be read.");
    EXPECT_EQ(ReadFileBytes(dir.Path("kept.scr")), before);
    EXPECT_EQ(settings.MRUCount, 1);
}

TEST(SaverFileWork, ReopeningChecksAndDefaults) {
    TempFolder dir;
    SettingsRecord settings;
    settings.MRUName[0] = L"My Saver";
    settings.MRUName[1] = L"My Saver (2)";
    settings.MRUCount = 2;

    // No saver: the first free default name and black, no key.
    ReopenedSaver fresh = ReadSaverForWizard(L"", settings);
    EXPECT_FALSE(fresh.FromSaver);
    EXPECT_EQ(fresh.Name, L"My Saver (3)");
    EXPECT_EQ(fresh.Background, 0);
    EXPECT_EQ(fresh.Transparent, 0);
    EXPECT_FALSE(fresh.KeyTicked);
    WriteFileBytes(dir.Path("text.scr"), {'n', 'o', 't'});
    EXPECT_FALSE(ReadSaverForWizard(Wide(dir.Path("text.scr")), settings).FromSaver);

    // A saver's key ticks the box, white or black.
    const std::wstring white = Wide(dir.Path("white.scr")), black = Wide(dir.Path("black.scr"));
    HandOver(dir, BuiltInLogo(), 0x123456, 0xFFFFFF);
    ASSERT_TRUE(WriteSaverFile(Request(Wide(dir.Path("yls-logo.bmp")), white), settings).Written);
    HandOver(dir, BuiltInLogo(), -5, 0);
    ASSERT_TRUE(WriteSaverFile(Request(Wide(dir.Path("yls-logo.bmp")), black), settings).Written);
    const ReopenedSaver w = ReadSaverForWizard(white, settings);
    EXPECT_EQ(w.Background, 0x123456);
    EXPECT_EQ(w.Transparent, 0xFFFFFF);
    EXPECT_TRUE(w.KeyTicked);
    const ReopenedSaver b = ReadSaverForWizard(black, settings);
    EXPECT_EQ(b.Transparent, 0);
    EXPECT_TRUE(b.KeyTicked);
    EXPECT_TRUE(b.LogoSaved);
    EXPECT_EQ(b.LogoFailure, L"");

    // A logo that cannot be extracted is said to be so.
    DeleteFileW(ExtractedLogoPath().c_str());
    ASSERT_TRUE(CreateDirectoryW(ExtractedLogoPath().c_str(), nullptr));
    const ReopenedSaver lost = ReadSaverForWizard(black, settings);
    RemoveDirectoryW(ExtractedLogoPath().c_str());
    EXPECT_TRUE(lost.FromSaver);
    EXPECT_FALSE(lost.LogoSaved);
    EXPECT_EQ(
        lost.LogoFailure.rfind(L"The logo could not be extracted to " + ExtractedLogoPath(), 0), 0u)
        << std::string(lost.LogoFailure.begin(), lost.LogoFailure.end());

    // The page-0 messages, word for word.
    const std::wstring title = L"Quorvel Screensaver Creator";
    EXPECT_EQ(CheckSaverChoice(Wide(dir.Path("gone.scr")), true, Version, title).Message,
              L"This screensaver no longer exists");
    EXPECT_EQ(CheckSaverChoice(Wide(dir.Path("gone.scr")), false, Version, title).Message, L"");
    EXPECT_EQ(CheckSaverChoice(Wide(dir.Path("text.scr")), false, Version, title).Message,
              L"This is not a valid screensaver");
    SaverTrailer newer = DefaultTrailer();
    newer.Version = 3;
    const std::string later = MakeSaverFile(dir, "later.scr", newer, {1, 2, 3});
    EXPECT_EQ(CheckSaverChoice(Wide(later), true, Version, title).Message,
              L"This screensaver was created with a later version of " + title);
    const SaverChoice ok = CheckSaverChoice(white, true, Version, title);
    EXPECT_TRUE(ok.Accepted);
    EXPECT_EQ(ok.Message, L"");
}

TEST(SaverLibraryBinding, AMissingExportIsACreatorError) {
    SaverExports kernel(std::wstring(L"kernel32.dll"));
    EXPECT_FALSE(kernel.Loaded());
    EXPECT_NE(kernel.missing.find("SetName"), std::string::npos);
    try {
        RequireExports(kernel, L"kernel32.dll");
        FAIL() << "no error raised";
    } catch (const CreatorError& error) {
        EXPECT_EQ(error.Number(), 453);
        EXPECT_NE(error.Description().find(L"SetName"), std::wstring::npos);
    }
    SaverExports none(std::wstring(L"no-such-library.dll"));
    EXPECT_THROW(RequireExports(none, L"no-such-library.dll"), CreatorError);
    EXPECT_TRUE(SaverLibrary().Loaded());
}

TEST(SaverLibraryBinding, APathTheCodePageCannotHoldGoesAsItsShortForm) {
    TempFolder dir;
    const std::wstring folder = Wide(dir.Path("")) + L"logo \u4E2D\u6587";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\pic.bmp";
    ASSERT_TRUE(WritePictureBmp(file, BuiltInLogo()));
    const std::string narrow = LibraryPath(file);
    EXPECT_EQ(narrow.find('?'), std::string::npos) << narrow;
    const UniqueFile opened(CreateFileA(narrow.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(opened) << narrow;
    EXPECT_EQ(LibraryPath(L"C:\\plain\\path.scr"), "C:\\plain\\path.scr");
    // Nothing to shorten: refused, naming the folder, never a "?" path; a
    // text likewise.
    const std::wstring away = Wide(dir.Path("")) + OutsideCodePage() + L"\\";
    try {
        FAIL() << LibraryPath(away + L"none.bmp");
    } catch (const CreatorError& error) {
        EXPECT_NE(error.Description().find(away), std::wstring::npos);
    }
    EXPECT_THROW(LibraryText(OutsideCodePage()), CreatorError);
    DeleteFileW(file.c_str()); // TempFolder removes only its own files
    RemoveDirectoryW(folder.c_str());
}

} // namespace
