#include "wizard/pages/SaverFileWork.h"

#include "wizard/pages/PageText.h"

#include "core/Bmp32.h"
#include "core/CreatorText.h"
#include "core/Premultiply.h"
#include "core/RecentList.h"
#include "core/SaverRecord.h"
#include "common/FileWriter.h"
#include "common/Handles.h"
#include "wizard/frame/Errors.h"
#include "wizard/frame/FileBytes.h"
#include "wizard/frame/SaverLibrary.h"

#include <algorithm>
#include <new>
#include <cwctype>
#include <vector>

namespace {

constexpr wchar_t TemplateName[] = L"SaverTemplate";
constexpr WORD TemplateType = 800;
constexpr DWORD PathChars = 1024;
constexpr DWORD CopyBlock = 65536;

CopyBlockWriter& BlockWriter() {
    static CopyBlockWriter writer;
    return writer;
}

bool WriteBlock(HANDLE file, const uint8_t* data, DWORD size) {
    if (BlockWriter())
        return BlockWriter()(file, data, size);
    return WriteAll(file, data, size);
}

std::wstring SystemText(DWORD code) {
    return Win32Error(code).Description();
}

std::wstring TempFolder() {
    std::wstring buffer(PathChars, L'\0');
    GetTempPathW(PathChars, buffer.data());
    return ChopNull(buffer);
}

// A failure of one step of the saver file: the system's text for `code`.
struct FileFault {
    std::wstring Reason;
};
[[noreturn]] void Fault(DWORD code) {
    throw FileFault{SystemText(code ? code : ERROR_GEN_FAILURE)};
}
[[noreturn]] void Fault(const std::wstring& reason) {
    throw FileFault{reason};
}

void WriteTemplate(const std::wstring& path) {
    HRSRC found = FindResourceW(nullptr, TemplateName, MAKEINTRESOURCEW(TemplateType));
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    if (!bytes || size == 0)
        Fault(GetLastError() ? GetLastError() : ERROR_RESOURCE_NAME_NOT_FOUND);
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!file)
        Fault(GetLastError());
    DWORD put = 0;
    if (!WriteFile(file.get(), bytes, size, &put, nullptr) || put != size)
        Fault(GetLastError() ? GetLastError() : ERROR_WRITE_FAULT);
    if (!CloseHandle(file.release()))
        Fault(GetLastError());
}

// A name Windows keeps for a device, whatever its extension: CON, PRN,
// AUX, NUL, COM1-9, LPT1-9.
bool IsDeviceName(const std::wstring& path) {
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towupper(c));
    if (name == L"CON" || name == L"PRN" || name == L"AUX" || name == L"NUL" || name == L"CONIN$" ||
        name == L"CONOUT$")
        return true;
    return name.size() == 4 &&
           (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           name[3] >= L'1' && name[3] <= L'9';
}

bool HasRefusedCharacter(const std::wstring& path) {
    const std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    return name.empty() || name.find_first_of(L"<>:\"|?*") != std::wstring::npos ||
           std::any_of(name.begin(), name.end(), [](wchar_t c) { return c < 32; });
}

// The finished temporary file copied into place through a file beside the
// target, so the target is either the old file or the new.
void PutInPlace(const std::wstring& source, const std::wstring& target) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        Fault(ERROR_ACCESS_DENIED);
    if (IsDeviceName(target) || HasRefusedCharacter(target))
        Fault(ERROR_INVALID_NAME);
    const auto slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash + 1);
    const DWORD folderAttributes = GetFileAttributesW(folder.c_str());
    if (folderAttributes == INVALID_FILE_ATTRIBUTES ||
        !(folderAttributes & FILE_ATTRIBUTE_DIRECTORY))
        Fault(ERROR_PATH_NOT_FOUND);

    const UniqueFile in(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!in)
        Fault(GetLastError());
    std::vector<uint8_t> block(CopyBlock);
    const auto copy = [&](HANDLE out) {
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(in.get(), block.data(), CopyBlock, &got, nullptr))
                return false;
            if (got == 0)
                return true;
            if (!WriteBlock(out, block.data(), got))
                return false;
        }
    };
    if (!WriteFileBeside(target, copy))
        Fault(GetLastError());
}

void Report(const std::function<void(int32_t)>& progress, int32_t value) {
    if (progress)
        progress(value);
}

} // namespace

std::wstring SaveFailureMessage(const std::wstring& reason) {
    return L"The following error occured while trying to save your screensaver:\r\n\r\n" + reason;
}

ScopedCopyBlockWriter::ScopedCopyBlockWriter(CopyBlockWriter writer)
    : previous_(std::exchange(BlockWriter(), std::move(writer))) {}

ScopedCopyBlockWriter::~ScopedCopyBlockWriter() {
    BlockWriter() = std::move(previous_);
}

SaverOutcome WriteSaverFile(const SaverRequest& request, SettingsRecord& settings) {
    SaverOutcome outcome;
    std::wstring temp;
    Procedure run(L"frmWizard.CreateSaver");
    if (!run([&] {
            std::wstring name(PathChars + MAX_PATH, L'\0');
            if (!GetTempFileNameW(TempFolder().c_str(), L"yls", 0, name.data()))
                RaiseLastError();
            temp = ChopNull(name);
            Report(request.Progress, 5);
            Report(request.Progress, 15);
        }))
        return outcome;
    Report(request.Progress, 25);

    try {
        if (temp.empty()) // the step above was ignored
            Fault(ERROR_PATH_NOT_FOUND);
        WriteTemplate(temp);
        Report(request.Progress, 40);

        std::wstring name = TrimBlanks(request.Name), about = TrimBlanks(request.About),
                     url = TrimBlanks(request.Url);
        std::vector<char> n = LibraryBuffer(name.empty() ? L"noname" : name);
        std::vector<char> a = LibraryBuffer(about.empty() ? L" " : about);
        std::vector<char> u = LibraryBuffer(url.empty() ? L" " : url);
        SaverExports& library = SaverLibrary();
        library.SetName(n.data(), a.data(), u.data());
        Report(request.Progress, 45);

        const std::string saverPath = LibraryPath(temp), logoPath = LibraryPath(request.LogoFile),
                          iconPath = LibraryPath(request.IconFile);
        const int32_t written = library.WriteSettings(saverPath.c_str(), logoPath.c_str(),
                                                      request.PreventChanges ? 0 : -1,
                                                      iconPath.c_str(), request.IconIndex);
        if (written == 1)
            Fault(L"The screensaver file could not be written.");
        if (written != 0)
            Fault(L"The logo could not be read.");
        Report(request.Progress, 70);

        PutInPlace(temp, request.SaveAs);
    } catch (const FileFault& fault) {
        outcome.Message = SaveFailureMessage(fault.Reason);
    } catch (const CreatorError& error) {
        outcome.Message = SaveFailureMessage(error.Description());
    } catch (...) {
        outcome.Message = SaveFailureMessage(CurrentError().Description());
    }
    if (!temp.empty())
        DeleteFileW(temp.c_str()); // nothing reads it once it is copied
    if (!outcome.Message.empty())
        return outcome;

    AddRecentSaver(settings.MRUName, settings.MRUFile, settings.MRUCount, request.SaveAs,
                   request.Name);
    Report(request.Progress, 100);
    outcome.Written = true;
    return outcome;
}

std::wstring ExtractedLogoPath() {
    return CatStr(TempFolder(), L"extracted-image.quorvel.bmp", L"\\");
}

namespace {

// The library keeps a picture logo premultiplied; the logo page wants the
// colours as picture files hold them, and premultiplies them once itself.
void StraightenLogo(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes))
        return;
    auto picture = ReadBmp32(bytes.data(), bytes.size());
    if (!picture || picture->AlphaWasZero)
        return;
    UnpremultiplyPixels(picture->Pixels.data(), picture->Pixels.size() / 4);
    WriteFileBytes(path, WriteBmp32(*picture));
}

// Has the library write the reopened saver's logo to `path`: the reason
// when it could not. The file is emptied first (never the last saver's
// logo), and so exists for a short form when the code page cannot name its
// folder.
std::wstring ExtractLogo(SaverExports& library, const std::wstring& path) {
    const std::wstring failed = L"The logo could not be extracted to " + path + L": ";
    if (!UniqueFile(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr)))
        return failed + SystemText(GetLastError());
    std::string narrow;
    try {
        narrow = LibraryPath(path);
    } catch (const CreatorError& error) {
        return failed + error.Description();
    }
    if (library.SaveLogo(narrow.c_str()) <= 0)
        return failed + L"the screensaver's logo could not be written there.";
    return {};
}

} // namespace

ReopenedSaver ReadSaverForWizard(const std::wstring& path, const SettingsRecord& settings) {
    ReopenedSaver saver;
    SaverExports& library = SaverLibrary();
    const std::string narrow = LibraryPath(path);
    if (!path.empty() && library.ReadSaverInfo(narrow.c_str()) == 0) {
        saver.FromSaver = true;
        saver.IconFile = path;
        int32_t background = 0, transparent = 0;
        library.GetColor(&background, &transparent);
        std::vector<char> name(1024, '\0'), about(1024, '\0'), url(1024, '\0');
        library.SetName(name.data(), about.data(), url.data());
        name.back() = about.back() = url.back() = '\0';
        saver.Name = FromCodePage(name.data());
        saver.About = FromCodePage(about.data());
        saver.Url = FromCodePage(url.data());
        saver.Background = background;
        saver.Transparent = transparent;

        SaverTrailer record{};
        library.GetSettings(&record);
        saver.PreventChanges = record.Settings.AllowConfig == 0;
        saver.LogoFile = ExtractedLogoPath();
        saver.LogoFailure = ExtractLogo(library, saver.LogoFile);
        saver.LogoSaved = saver.LogoFailure.empty();
        if (saver.LogoSaved && record.PicHasTrans != 0 && record.DynamicLogo == 0)
            StraightenLogo(saver.LogoFile);
    } else {
        saver.Name = DefaultSaverName(settings.MRUName, settings.MRUCount);
    }
    if (saver.Background < 0)
        saver.Background = 0;
    // A saver's key of 0 is black; the defaults' 0 is no key.
    saver.KeyTicked = saver.FromSaver ? saver.Transparent >= 0 : saver.Transparent > 0;
    return saver;
}

SaverChoice CheckSaverChoice(const std::wstring& file, bool fromList, int32_t creatorVersion,
                             const std::wstring& appTitle) {
    SaverChoice choice;
    const DWORD attributes =
        file.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (fromList)
            choice.Message = L"This screensaver no longer exists";
        return choice;
    }
    std::string narrow;
    try {
        narrow = LibraryPath(file);
    } catch (const CreatorError& error) { // no name the library could open
        choice.Message = error.Description();
        return choice;
    }
    SaverExports& library = SaverLibrary();
    // Only a look: the record the pages have built (colours, key, effects)
    // is what the next Create writes, so it comes back whole.
    SaverTrailer kept{};
    library.GetSettings(&kept);
    library.SetSettings(nullptr);
    library.GetVersion(creatorVersion);
    const int32_t r = library.ReadSaverInfo(narrow.c_str());
    library.SetSettings(&kept);
    if (r == 0)
        choice.Accepted = true;
    else if (r == 2 || r == 3)
        choice.Message = L"This screensaver was created with a later version of " + appTitle;
    else
        choice.Message = L"This is not a valid screensaver";
    return choice;
}

namespace {

// A failed system call during the hand-over, saying which step it was.
[[noreturn]] void HandOverFault(const std::wstring& what, DWORD fallback) {
    DWORD code = GetLastError();
    if (!code)
        code = fallback;
    throw CreatorError(static_cast<int32_t>(code), what + L": " + Win32Error(code).Description());
}

} // namespace

void HandOverPictureLogo(const Picture& logo, int32_t width, int32_t height,
                         std::wstring& tempBmp) {
    const bool alpha = PictureHasTrans(logo);
    const std::wstring size = std::to_wstring(width) + L" x " + std::to_wstring(height);
    Picture scaled;
    try {
        Picture source = logo;
        if (!alpha) {
            for (std::size_t i = 3; i < source.Pixels.size(); i += 4)
                source.Pixels[i] = 255;
        } else if (!source.Premultiplied) {
            PremultiplyPixels(source.Pixels.data(), source.Pixels.size() / 4);
            source.Premultiplied = true;
        }
        if (!ResizePicture(source, width, height, scaled))
            throw CreatorError(ErrOutOfMemory,
                               L"The logo could not be scaled to " + size + L" pixels");
    } catch (const std::bad_alloc&) {
        throw CreatorError(ErrOutOfMemory,
                           L"Out of memory scaling the logo to " + size + L" pixels");
    }
    if (tempBmp.empty()) {
        const std::wstring folder = TempFolder();
        std::wstring name(PathChars + MAX_PATH, L'\0');
        if (!GetTempFileNameW(folder.c_str(), L"yls", 0, name.data()))
            HandOverFault(L"No file for the logo could be made in " + folder, ERROR_CANNOT_MAKE);
        tempBmp = ChopNull(name);
    }
    SetLastError(0);
    if (!WritePictureBmp(tempBmp, scaled))
        HandOverFault(L"The logo could not be written to " + tempBmp, ERROR_WRITE_FAULT);
    const std::string narrow = LibraryPath(tempBmp);
    SaverLibrary().SetLogo(narrow.c_str(), 0, 0, 0, alpha ? -1 : 0);
}
