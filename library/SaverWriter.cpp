// Finishing a screensaver file: a copy of the screensaver program gets the
// saver's name as its description, its icon, the logo and the record.
#include "library/Exports.h"

#include "core/Random.h"
#include "core/SaverDescription.h"
#include "core/SaverTail.h"
#include "library/IconWriter.h"
#include "saver/FileIo.h"
#include "common/Handles.h"
#include "saver/SaverState.h"

#include <new>
#include <vector>

namespace {

UniqueFile OpenSaverForUpdate(const char* path) {
    return UniqueFile(CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The saver's name as the 50 UTF-16 units of the description.
DescriptionText SaverDescriptionText() {
    const std::string source = DescriptionSource(CurrentTrailer.SaverName);
    std::vector<wchar_t> decoded(512, 0);
    MultiByteToWideChar(CP_UTF8, 0, source.data(), static_cast<int>(source.size()), decoded.data(),
                        static_cast<int>(decoded.size()));
    return MakeDescriptionText(std::u16string(decoded.begin(), decoded.end()));
}

// Overwrites the "!desc!" placeholder in the last 5000 bytes of the file.
void PatchSaverDescription(HANDLE file, const DescriptionText& text) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size))
        return;
    const auto fileSize = static_cast<uint64_t>(size.QuadPart);
    const std::size_t window =
        fileSize < DescriptionWindow ? static_cast<std::size_t>(fileSize) : DescriptionWindow;
    std::vector<uint8_t> tail(window);
    if (!Seek(file, fileSize - window) || !ReadExactly(file, tail.data(), window))
        return;
    if (PatchDescription(tail.data(), tail.size(), text) && Seek(file, fileSize - window))
        WriteExactly(file, tail.data(), tail.size());
}

int32_t WriteSaver(const char* saverPath, const char* logoPath, int32_t allow,
                   const char* iconSource, int32_t iconIndex) {
    CurrentSettings->AllowConfig = allow != 0 ? 1 : 0;
    SeedRand(GetTickCount());
    CurrentTrailer.SaverId = static_cast<uint32_t>(Rand());
    const DescriptionText description = SaverDescriptionText();

    if (!saverPath)
        return WriteSaverFailed;
    {
        UniqueFile saver = OpenSaverForUpdate(saverPath);
        if (!saver)
            return WriteSaverFailed;
        PatchSaverDescription(saver.get(), description);
    }

    WriteSaverIcon(iconSource, saverPath, iconIndex);

    UniqueFile saver = OpenSaverForUpdate(saverPath);
    if (!saver)
        return WriteSaverFailed;
    if (!logoPath)
        return WriteLogoFailed;
    UniqueFile logoFile(CreateFileA(logoPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!logoFile)
        return WriteLogoFailed;

    // The logo block held from the last read is let go, as the record now
    // describes the logo being written.
    LogoBlock.clear();
    CurrentTrailer.LogoData = 0;
    LARGE_INTEGER logoSize{};
    // A logo whose size the record's 32-bit LogoSize cannot hold is refused.
    if (!GetFileSizeEx(logoFile.get(), &logoSize) || logoSize.QuadPart > 0x7FFF0000)
        return WriteLogoFailed;
    std::vector<uint8_t> logo(static_cast<std::size_t>(logoSize.QuadPart));
    if (!ReadExactly(logoFile.get(), logo.data(), logo.size()))
        return WriteLogoFailed;

    const bool content =
        CurrentTrailer.DynamicLogo != 0 && CurrentTrailer.Settings.ContentFromFile != 0;
    const std::vector<uint8_t> tail =
        BuildSaverTail(CurrentTrailer, logo, content ? logoPath : nullptr);
    CurrentTrailer.LogoSize = static_cast<int32_t>(tail.size() - TrailerSize);
    // A write that fails (a full disk) is not reported as success, and the
    // part of the tail written is cut off again: the file is left as it was
    // before, not with half a logo at its end.
    LARGE_INTEGER before{};
    if (!GetFileSizeEx(saver.get(), &before))
        return WriteSaverFailed;
    if (!Seek(saver.get(), 0, FILE_END) || !WriteExactly(saver.get(), tail.data(), tail.size())) {
        if (Seek(saver.get(), static_cast<uint64_t>(before.QuadPart)))
            SetEndOfFile(saver.get());
        return WriteSaverFailed;
    }
    return WriteOk;
}

} // namespace

extern "C" int32_t WINAPI WriteSettings(const char* saverPath, const char* logoPath, int32_t allow,
                                        const char* iconSource, int32_t iconIndex) {
    try {
        return WriteSaver(saverPath, logoPath, allow, iconSource, iconIndex);
    } catch (const std::bad_alloc&) {
        return WriteLogoFailed; // a logo too large to hold
    }
}
