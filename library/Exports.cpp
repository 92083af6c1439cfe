// The exports that read and change the library's saver record in memory.
#include "library/Exports.h"

#include "core/EffectInfo.h"
#include "core/SaverRecord.h"
#include "library/LibraryState.h"
#include "saver/SaverInfo.h"
#include "saver/SaverState.h"

#include <cstring>
#include <new>

namespace {

bool IsEmpty(const char* text) {
    return !text || text[0] == 0;
}

// Copies a 64-byte field to a caller's buffer, cut to 63 characters so that
// it never needs more than the 64 bytes every caller provides.
void CopyField(char* out, const char (&field)[TextFieldSize]) {
    if (out)
        CopyText(out, TextFieldSize, field);
}

bool AllIn(int32_t bits, int32_t mask) {
    return (bits & mask) == mask;
}

} // namespace

extern "C" {

int32_t WINAPI SetName(char* name, char* about, char* web) {
    if (IsEmpty(name) && IsEmpty(about) && IsEmpty(web)) {
        // The getter form: the stored three texts into the caller's buffers.
        CopyField(name, CurrentTrailer.SaverName);
        CopyField(about, CurrentTrailer.AboutText);
        CopyField(web, CurrentTrailer.WebAddress);
        return 0;
    }
    // Texts longer than 63 bytes are cut to fit their field.
    SetField(CurrentTrailer.SaverName, name);
    SetField(CurrentTrailer.AboutText, about);
    SetField(CurrentTrailer.WebAddress, web);
    return 0;
}

int32_t WINAPI SetLogo(const char* path, int32_t kind, int32_t width, int32_t height,
                       int32_t alpha) {
    try {
        LogoPath = path ? path : "";
    } catch (const std::bad_alloc&) {
        LogoPath.clear();
    }
    CurrentTrailer.PicHasTrans = alpha;
    CurrentTrailer.DynamicLogo = kind != 0 ? 1 : 0;
    if (kind != 0) {
        CurrentTrailer.Settings.ContentWidth = width;
        CurrentTrailer.Settings.ContentHeight = height;
        CurrentTrailer.Settings.ContentFromFile = 1;
        CurrentTrailer.Settings.DynSize = kind;
    }
    return 0;
}

int32_t WINAPI SetColor(int32_t background, int32_t transparent) {
    CurrentTrailer.BackgroundColor = static_cast<uint32_t>(background);
    CurrentTrailer.TransparentColor = transparent;
    return 0;
}

int32_t WINAPI GetColor(int32_t* background, int32_t* transparent) {
    if (background)
        *background = static_cast<int32_t>(CurrentTrailer.BackgroundColor);
    if (transparent)
        *transparent = CurrentTrailer.TransparentColor;
    return 0;
}

int32_t WINAPI SetSettings(const void* trailer) {
    if (!trailer)
        return SetDefaults();
    std::memcpy(&CurrentTrailer, trailer, sizeof CurrentTrailer);
    CurrentTrailer.LogoData = 0; // an address in the caller's copy, never ours
    CurrentSettings = &CurrentTrailer.Settings;
    NormaliseSettings(*CurrentSettings);
    return 0;
}

int32_t WINAPI GetSettings(void* trailer) {
    if (trailer)
        std::memcpy(trailer, &CurrentTrailer, sizeof CurrentTrailer);
    return 0;
}

int32_t WINAPI SetDefaults() {
    LoadDefaultSettings(); // points CurrentSettings back at the record
    return 0;
}

int32_t WINAPI QvGetVersion(int32_t version) {
    if (version != 0)
        CurrentTrailer.CreatorVersion = version;
    return CurrentTrailer.CreatorVersion;
}

int32_t WINAPI GetSaverInfo(uint32_t index, char* name, char* description) {
    if (index >= static_cast<uint32_t>(EffectCount))
        return -1;
    const EffectInfo& effect = EffectInfoTable[index];
    if (name)
        CopyText(name, TextFieldSize, effect.Name);
    if (description)
        CopyText(description, SaverInfoSize, effect.Description);
    return effect.Mask;
}

int32_t WINAPI GetSaverState(int32_t mask) {
    if (AllIn(CurrentSettings->HiddenMask, mask))
        return SaverStateHidden;
    if (AllIn(CurrentSettings->EnabledMask, mask))
        return SaverStateEnabled;
    return SaverStateDisabled;
}

int32_t WINAPI SetSaverState(int32_t mask, int32_t state) {
    SaverSettings& s = *CurrentSettings;
    switch (state) {
    case SaverStateHidden:
        s.HiddenMask |= mask;
        if (AllIn(s.EnabledMask, mask))
            s.EnabledMask &= ~mask;
        break;
    case SaverStateEnabled:
        if (AllIn(s.HiddenMask, mask))
            s.HiddenMask &= ~mask;
        s.EnabledMask |= mask;
        break;
    case SaverStateDisabled:
        if (AllIn(s.HiddenMask, mask))
            s.HiddenMask &= ~mask;
        if (AllIn(s.EnabledMask, mask))
            s.EnabledMask &= ~mask;
        break;
    default:
        break;
    }
    return 0;
}

} // extern "C"
