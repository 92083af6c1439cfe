#include "core/SaverRecord.h"

#include "core/Random.h"
#include "core/Saturate.h"

#include <cstring>

void LoadDefaultSettings(SaverTrailer& t, uint32_t seed) {
    SeedRand(seed);
    t.Magic = TrailerMagic;
    t.Version = TrailerVersion;
    t.TransparentColor = 0;
    t.BackgroundColor = 0;
    t.PicHasTrans = 1;

    SaverSettings& s = t.Settings;
    s.AllowConfig = 1;
    s.EnabledMask = EffectStandard;
    s.HiddenMask = 250;
    s.ChangeMode = 1;
    s.ChangeMinutes = 5;
    s.IgnoreInput = 0;
    s.Transparent = 1;
    s.Spare28 = 5000;
    s.StaticDisplay = DisplayNormal;
    s.StandardDelay = 5000;
    s.StandardFade = 1;
    s.Spare44 = 10;
    s.BounceSpeed = 3;
    s.BounceGravity = 0;
    s.BounceWrap = 1;
    s.BounceTrail = 0;
    s.ManyDelay = 300;
    s.ManyDim = 0;
    s.DripInterval = 310;
    s.DripDisplay = DisplayNormal;
    s.FallingInterval = 5;
    s.FallingSpeed = 10;
    s.FallingCount = 15;
    s.FallingScaled = 1;
    s.FallingFade = 0;
    s.FallingDirection = 2;
    s.SliderInterval = 500;
    s.SliderDisplay = DisplayFull;
    s.SliderTileSize = 1051;
    s.Spare140 = 100;

    std::memcpy(t.Marker, TrailerMarker, sizeof t.Marker);
    NormaliseSettings(s);
}

void NormaliseSettings(SaverSettings& s) {
    // Worked out in 64 bits and held to the field's range: a hostile record's
    // speed must not overflow, and every real speed gives its exact triple.
    if (s.BounceGravity != 0)
        s.BounceGravity = SaturateToInt32(static_cast<int64_t>(s.BounceSpeed) * 3);
    // Only keys, clicks and movement can be ignored, never all three: any
    // other value (a hostile record's -1 among them) keeps the keys working.
    if (s.IgnoreInput < 0 || s.IgnoreInput >= 7)
        s.IgnoreInput = 6;
}

void CopyTrailer(SaverTrailer& to, const SaverTrailer& from) {
    std::memcpy(&to, &from, sizeof(SaverTrailer));
}

std::size_t FieldLength(const char (&field)[TextFieldSize]) {
    const void* nul = std::memchr(field, 0, TextFieldSize);
    return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : TextFieldSize;
}

void SetField(char (&field)[TextFieldSize], const char* text) {
    std::memset(field, 0, TextFieldSize);
    CopyText(field, TextFieldSize, text);
}

std::size_t CopyText(char* out, std::size_t size, const char* text) {
    std::size_t n = 0;
    for (; text && n < size - 1 && text[n] != 0; ++n)
        out[n] = text[n];
    out[n] = 0;
    return n;
}
