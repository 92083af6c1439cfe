// The saver record: the fixed 384-byte trailer that ends every screensaver
// file, with its 144-byte settings block, and the logo block before it.
#pragma once

#include <cstddef>
#include <cstdint>

// Effect and page bits used by EnabledMask and HiddenMask.
enum EffectMask : int32_t {
    PageGeneral = 1,
    EffectStatic = 2,
    EffectStandard = 4,
    EffectBounce = 8,
    EffectMany = 16,
    EffectDrip = 32,
    EffectFalling = 64,
    EffectSlider = 128,
};

// Results of reading a saver file's tail.
enum ReadResult : int32_t {
    ReadOk = 0,
    ReadCannotOpen = 1,
    ReadNotSaver = -1,
    ReadOlder = 2,
    ReadNewer = 3,
};

// Placement of a logo: "Normal size", "Full screen", "Stretch to fit the
// screen", "Tiled over the screen". 0 draws at the logo rectangle as is.
enum DisplayMode : int32_t {
    DisplayPlain = 0,
    DisplayNormal = 1,
    DisplayFull = 2,
    DisplayStretch = 3,
    DisplayTiled = 4,
};

constexpr int32_t TrailerMagic = 1234567890;
constexpr uint8_t TrailerVersion = 2;
constexpr char TrailerMarker[8] = {'T', 'O', 'R', 'V', 'A', 'S', 'K', 'E'};
constexpr size_t TrailerSize = 384;
constexpr size_t SettingsSize = 144;
constexpr size_t TextFieldSize = 64;

// 36 signed options; also stored per user in the registry value "Settings".
struct SaverSettings {
    int32_t AllowConfig;
    int32_t EnabledMask;
    int32_t HiddenMask;
    int32_t ChangeMode;
    int32_t ChangeMinutes;
    int32_t IgnoreInput;
    int32_t Transparent;
    int32_t Spare28;
    int32_t StaticDisplay;
    int32_t StandardDelay;
    int32_t StandardFade;
    int32_t Spare44;
    int32_t BounceSpeed;
    int32_t BounceGravity;
    int32_t BounceWrap;
    int32_t BounceTrail;
    int32_t ManyDelay;
    int32_t ManyDim;
    int32_t DripInterval;
    int32_t DripDisplay;
    int32_t FallingInterval;
    int32_t FallingSpeed;
    int32_t FallingCount;
    int32_t FallingScaled;
    int32_t FallingFade;
    int32_t FallingDirection;
    int32_t Spare104;
    int32_t ContentFromFile;
    int32_t DynSize;
    int32_t ContentWidth;
    int32_t ContentHeight;
    int32_t ContentText; // a pointer slot: unused here, kept as read
    int32_t SliderInterval;
    int32_t SliderDisplay;
    int32_t SliderTileSize;
    int32_t Spare140;
};

// All integers little-endian; texts 8-bit, NUL-padded, at most 63 characters.
struct SaverTrailer {
    int32_t Magic;
    uint8_t Version; // compared as a signed byte
    uint8_t Reserved[3];
    int32_t CreatorVersion;
    int32_t LogoSize;
    SaverSettings Settings;
    int32_t DynamicLogo;
    uint32_t SaverId;
    uint32_t BackgroundColor; // COLORREF
    int32_t TransparentColor; // negative: no colour key
    int32_t PicHasTrans;
    char AboutText[TextFieldSize];
    char SaverName[TextFieldSize];
    char WebAddress[TextFieldSize];
    char Marker[8];
    // Always 0 here: the logo bytes are owned by a separate buffer, so the
    // record has the same layout in 32- and 64-bit builds.
    uint32_t LogoData;
};

static_assert(sizeof(SaverSettings) == SettingsSize);
static_assert(sizeof(SaverTrailer) == TrailerSize);
static_assert(offsetof(SaverTrailer, Version) == 0x004);
static_assert(offsetof(SaverTrailer, CreatorVersion) == 0x008);
static_assert(offsetof(SaverTrailer, LogoSize) == 0x00C);
static_assert(offsetof(SaverTrailer, Settings) == 0x010);
static_assert(offsetof(SaverTrailer, DynamicLogo) == 0x0A0);
static_assert(offsetof(SaverTrailer, SaverId) == 0x0A4);
static_assert(offsetof(SaverTrailer, BackgroundColor) == 0x0A8);
static_assert(offsetof(SaverTrailer, TransparentColor) == 0x0AC);
static_assert(offsetof(SaverTrailer, PicHasTrans) == 0x0B0);
static_assert(offsetof(SaverTrailer, AboutText) == 0x0B4);
static_assert(offsetof(SaverTrailer, SaverName) == 0x0F4);
static_assert(offsetof(SaverTrailer, WebAddress) == 0x134);
static_assert(offsetof(SaverTrailer, Marker) == 0x174);
static_assert(offsetof(SaverTrailer, LogoData) == 0x17C);
static_assert(offsetof(SaverSettings, AllowConfig) == 0);
static_assert(offsetof(SaverSettings, IgnoreInput) == 20);
static_assert(offsetof(SaverSettings, StaticDisplay) == 32);
static_assert(offsetof(SaverSettings, BounceSpeed) == 48);
static_assert(offsetof(SaverSettings, ManyDelay) == 64);
static_assert(offsetof(SaverSettings, DripInterval) == 72);
static_assert(offsetof(SaverSettings, FallingInterval) == 80);
static_assert(offsetof(SaverSettings, FallingDirection) == 100);
static_assert(offsetof(SaverSettings, ContentFromFile) == 108);
static_assert(offsetof(SaverSettings, ContentText) == 124);
static_assert(offsetof(SaverSettings, SliderInterval) == 128);
static_assert(offsetof(SaverSettings, SliderTileSize) == 136);
static_assert(offsetof(SaverSettings, Spare140) == 140);

// Seeds the calling thread's random generator with `seed` and writes every
// defaulted field; the fields without a default keep what they held.
void LoadDefaultSettings(SaverTrailer& trailer, uint32_t seed);

// BounceGravity != 0 becomes BounceSpeed * 3 (held to the int32_t range);
// IgnoreInput outside 0..6 (all three inputs, or bits beyond them) becomes
// 6, so that a key always ends the saver.
void NormaliseSettings(SaverSettings& settings);

void CopyTrailer(SaverTrailer& to, const SaverTrailer& from);

// A 64-byte text field as a string: up to its first NUL, never past the field.
std::size_t FieldLength(const char (&field)[TextFieldSize]);

// Copies `text` into a 64-byte field, NUL-padded; a longer text is cut to 63
// bytes so the field always ends in a NUL.
void SetField(char (&field)[TextFieldSize], const char* text);

// Copies `text` (null: empty) into `out`, a buffer of `size` (> 0) bytes,
// cut to size - 1 bytes and NUL-terminated. Reads no further than that, so
// a field without its NUL is safe. Returns the number of bytes copied.
std::size_t CopyText(char* out, std::size_t size, const char* text);
