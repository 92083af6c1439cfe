#include "core/OwnPicture.h"

#include "core/DdsPicture.h"
#include "core/HaloCutPicture.h"
#include "core/IlbmPicture.h"
#include "core/JngPicture.h"
#include "core/KoalaPicture.h"
#include "core/MngPicture.h"
#include "core/PcxPicture.h"
#include "core/PhotoCdPicture.h"
#include "core/PnmTextPicture.h"
#include "core/RawFaxPicture.h"
#include "core/SunRasterPicture.h"
#include "core/WbmpPicture.h"
#include "core/XbmPicture.h"
#include "core/XpmPicture.h"

#include <algorithm>
#include <new>

namespace {

struct OwnFormat {
    const wchar_t* Extensions; // upper case, without dots: "WAP,WBMP,WBM"
    // Looks at the file's first bytes (at most SignatureBytes); none: the
    // format is tried by its extension only.
    bool (*Signature)(const uint8_t* start, std::size_t size);
    std::optional<PictureHeader> (*Header)(TailSource& file);
    std::optional<OwnPictureResult> (*Decode)(const OwnPictureInput& input);
};

constexpr std::size_t SignatureBytes = 64;

template <std::optional<StbPicture> (*Decoder)(const OwnPictureInput&)>
std::optional<OwnPictureResult> Pixels(const OwnPictureInput& input) {
    auto picture = Decoder(input);
    if (!picture)
        return std::nullopt;
    return OwnPictureResult{std::move(*picture), {}};
}

// Those with a signature first, in the order their signatures are tried;
// then those without, which only their extension selects.
constexpr OwnFormat Formats[] = {
    {L"PBM,PGM,PPM", &IsPnmTextPicture, &ReadPnmTextHeader, &Pixels<&DecodePnmTextPicture>},
    {L"PCX", &IsPcxPicture, &ReadPcxHeader, &Pixels<&DecodePcxPicture>},
    {L"RAS", &IsSunRasterPicture, &ReadSunRasterHeader, &Pixels<&DecodeSunRasterPicture>},
    {L"XBM", &IsXbmPicture, &ReadXbmHeader, &Pixels<&DecodeXbmPicture>},
    {L"XPM", &IsXpmPicture, &ReadXpmHeader, &Pixels<&DecodeXpmPicture>},
    {L"IFF,LBM", &IsIlbmPicture, &ReadIlbmHeader, &Pixels<&DecodeIlbmPicture>},
    {L"DDS", &IsDdsPicture, &ReadDdsHeader, &Pixels<&DecodeDdsPicture>},
    {L"JNG", &IsJngPicture, &ReadJngHeader, &Pixels<&DecodeJngPicture>},
    {L"MNG", &IsMngPicture, &ReadMngHeader, &DecodeMngPicture},

    // Without a signature.
    {L"WAP,WBMP,WBM", nullptr, &ReadWbmpHeader, &Pixels<&DecodeWbmpPicture>},
    {L"KOA", nullptr, &ReadKoalaHeader, &Pixels<&DecodeKoalaPicture>},
    {L"CUT", nullptr, &ReadHaloCutHeader, &Pixels<&DecodeHaloCutPicture>},
    {L"PCD", nullptr, &ReadPhotoCdHeader, &Pixels<&DecodePhotoCdPicture>},
    {L"G3", nullptr, &ReadRawFaxHeader, &DecodeRawFaxPicture},
};

std::wstring Upper(std::wstring_view s) {
    std::wstring out(s);
    for (wchar_t& c : out)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    return out;
}

std::vector<std::wstring> ExtensionsOf(const OwnFormat& format) {
    std::vector<std::wstring> out;
    const std::wstring_view list = format.Extensions;
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = std::min(list.find(L',', at), list.size());
        out.emplace_back(list.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

bool Claims(const OwnFormat& format, const std::wstring& extension) {
    const auto list = ExtensionsOf(format);
    return std::find(list.begin(), list.end(), extension) != list.end();
}

const OwnFormat* SignedFormatOf(const uint8_t* start, std::size_t size) {
    size = std::min(size, SignatureBytes);
    for (const OwnFormat& format : Formats)
        if (format.Signature && format.Signature(start, size))
            return &format;
    return nullptr;
}

const OwnFormat* FormatOf(const uint8_t* start, std::size_t size, std::wstring_view extension) {
    if (const OwnFormat* format = SignedFormatOf(start, size))
        return format;
    if (HasPictureSignature(start, std::min(size, SignatureBytes)))
        return nullptr;
    const std::wstring upper = Upper(extension);
    for (const OwnFormat& format : Formats)
        if (!format.Signature && Claims(format, upper))
            return &format;
    return nullptr;
}

} // namespace

bool IsOwnPicture(const uint8_t* data, std::size_t size, std::wstring_view extension) {
    return data && size > 0 && FormatOf(data, size, extension);
}

std::optional<OwnPictureResult> DecodeOwnPicture(const uint8_t* data, std::size_t size,
                                                 std::wstring_view extension,
                                                 const SideFileReader& side) {
    if (!data || size == 0)
        return std::nullopt;
    const OwnFormat* format = FormatOf(data, size, extension);
    if (!format)
        return std::nullopt;
    ByteTailSource source(data, size);
    const auto header = format->Header(source);
    if (!header || header->Width == 0 || header->Height == 0 ||
        PictureTooLarge(header->Width, header->Height) || header->MinimumSize > size)
        return std::nullopt;
    try {
        auto result = format->Decode({data, size, *header, side});
        if (result && result->Reframed.empty() &&
            (result->Picture.Bitmap.Width != static_cast<int32_t>(header->Width) ||
             result->Picture.Bitmap.Height != static_cast<int32_t>(header->Height)))
            return std::nullopt;
        return result;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool HasOwnPictureSignature(const uint8_t* data, std::size_t size) {
    return SignedFormatOf(data, size) != nullptr;
}

std::optional<PictureHeader> ReadOwnPictureHeader(TailSource& file, std::wstring_view extension) {
    uint8_t start[SignatureBytes] = {};
    const auto got = static_cast<std::size_t>(std::min<uint64_t>(file.Size(), SignatureBytes));
    if (got == 0 || !file.ReadAt(0, start, got))
        return std::nullopt;
    const OwnFormat* format = FormatOf(start, got, extension);
    return format ? format->Header(file) : std::nullopt;
}

std::vector<std::wstring> OwnPictureExtensions() {
    std::vector<std::wstring> out;
    for (const OwnFormat& format : Formats)
        for (std::wstring& extension : ExtensionsOf(format))
            out.push_back(std::move(extension));
    return out;
}

std::optional<StbPicture> NewOwnPicture(const PictureHeader& header) {
    StbPicture out;
    try {
        out.Bitmap.Pixels.resize(std::size_t{header.Width} * header.Height * 4);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    for (std::size_t i = 3; i < out.Bitmap.Pixels.size(); i += 4)
        out.Bitmap.Pixels[i] = 255;
    out.Bitmap.Width = static_cast<int32_t>(header.Width);
    out.Bitmap.Height = static_cast<int32_t>(header.Height);
    return out;
}

std::vector<uint8_t> ReadTextHeader(TailSource& file) {
    std::vector<uint8_t> start(
        static_cast<std::size_t>(std::min<uint64_t>(file.Size(), TextHeaderLimit)));
    if (!start.empty() && !file.ReadAt(0, start.data(), start.size()))
        start.clear();
    return start;
}
