#include "wizard/frame/Imaging.h"

#include "core/Bmp32.h"
#include "core/LogoFilter.h"
#include "core/OwnPicture.h"
#include "core/PictureHeader.h"
#include "core/Premultiply.h"
#include "core/StbPicture.h"
#include "common/Handles.h"
#include "wizard/frame/FileBytes.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cwctype>
#include <new>
#include <set>
#include <utility>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#define STB_IMAGE_RESIZE_STATIC
#include <stb_image_resize.h>

namespace {

// Owns one reference of a COM interface.
template <typename T> class ComRef {
  public:
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() { reset(); }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_)
            p_->Release();
        p_ = nullptr;
    }

  private:
    T* p_ = nullptr;
};

// The factory of this thread's apartment (the creator's one window thread).
// The factory and the thread's one use of COM that it stands on, both
// given up by ReleaseImaging.
struct ImagingUse {
    ComRef<IWICImagingFactory> factory;
    bool com = false; // our CoInitializeEx succeeded: one CoUninitialize owed
};

ImagingUse& Held() {
    static ImagingUse held;
    return held;
}

IWICImagingFactory* Factory() {
    ImagingUse& held = Held();
    if (!held.factory) {
        if (!held.com) // joins the thread's apartment, or makes one
            held.com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_IWICImagingFactory, reinterpret_cast<void**>(held.factory.put()));
    }
    return held.factory.get();
}

constexpr std::size_t HeaderBytes = 1 << 20;

} // namespace

void ReleaseImaging() {
    ImagingUse& held = Held();
    held.factory.reset();
    if (std::exchange(held.com, false))
        CoUninitialize();
}

namespace {

ImageLoad Failed(ImageStatus status, uint32_t width = 0, uint32_t height = 0) {
    ImageLoad load;
    load.Status = status;
    load.Width = width;
    load.Height = height;
    return load;
}

void Finish(ImageLoad& load, AlphaForm form) {
    load.Status = ImageStatus::Ok;
    // Alpha 255 everywhere is an opaque picture (a saver's own logo read
    // back is one): drawn through it, it would lose its colour key.
    Picture& p = load.Image;
    if (p.HasAlpha && !p.PaletteTransparency) {
        bool opaque = true;
        for (std::size_t i = 3; i < p.Pixels.size() && opaque; i += 4)
            opaque = p.Pixels[i] == 255;
        p.HasAlpha = !opaque;
    }
    if (form == AlphaForm::Premultiplied ||
        (form == AlphaForm::AsLogo && PictureHasTrans(load.Image))) {
        PremultiplyPixels(load.Image.Pixels.data(), load.Image.Pixels.size() / 4);
        load.Image.Premultiplied = true;
    }
}

// Our own reader for 32-bit BI_RGB bitmaps: the system's drops their alpha.
ImageLoad FromBmp32(const uint8_t* data, std::size_t size, AlphaForm form) {
    auto bitmap = ReadBmp32(data, size);
    if (!bitmap)
        return Failed(ImageStatus::NotRecognised);
    ImageLoad load;
    load.Image.Width = bitmap->Width;
    load.Image.Height = bitmap->Height;
    load.Image.Pixels = std::move(bitmap->Pixels);
    load.Image.HasAlpha = !bitmap->AlphaWasZero;
    Finish(load, form);
    return load;
}

ImageLoad FromDecoded(StbPicture&& decoded, AlphaForm form) {
    ImageLoad load;
    load.Image.Width = decoded.Bitmap.Width;
    load.Image.Height = decoded.Bitmap.Height;
    load.Image.Pixels = std::move(decoded.Bitmap.Pixels);
    load.Image.HasAlpha = decoded.HasAlpha;
    Finish(load, form);
    return load;
}

// Targa, Photoshop and PGM/PPM: our own decoder on every system (the
// platform's reads none of them, Wine's Targa only).
ImageLoad FromStb(const uint8_t* data, std::size_t size, AlphaForm form) {
    auto decoded = DecodeStbPicture(data, size);
    if (!decoded)
        return Failed(ImageStatus::NotRecognised);
    return FromDecoded(std::move(*decoded), form);
}

ImageLoad LoadBytes(const uint8_t* data, std::size_t size, AlphaForm form);

// The formats of core/OwnPicture.h; a picture they hand back as another
// format's file goes the way of bytes in memory.
ImageLoad FromOwn(const uint8_t* data, std::size_t size, std::wstring_view extension,
                  const SideFileReader& side, AlphaForm form) {
    auto decoded = DecodeOwnPicture(data, size, extension, side);
    if (!decoded)
        return Failed(ImageStatus::NotRecognised);
    if (!decoded->Reframed.empty())
        return LoadBytes(decoded->Reframed.data(), decoded->Reframed.size(), form);
    return FromDecoded(std::move(decoded->Picture), form);
}

bool IsFormat(const WICPixelFormatGUID& f, std::initializer_list<const GUID*> list) {
    return std::any_of(list.begin(), list.end(), [&](const GUID* g) { return f == *g; });
}

ImageLoad FromDecoder(IWICBitmapDecoder* decoder, AlphaForm form) {
    ComRef<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    if (FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)) || width == 0 || height == 0)
        return Failed(ImageStatus::NotRecognised);
    if (PictureTooLarge(width, height))
        return Failed(ImageStatus::TooLarge, width, height);

    ImageLoad load;
    Picture& picture = load.Image;
    picture.Width = static_cast<int32_t>(width);
    picture.Height = static_cast<int32_t>(height);
    picture.HasAlpha =
        IsFormat(format, {&GUID_WICPixelFormat32bppBGRA, &GUID_WICPixelFormat32bppPBGRA,
                          &GUID_WICPixelFormat32bppRGBA, &GUID_WICPixelFormat64bppRGBA,
                          &GUID_WICPixelFormat64bppPRGBA});
    const struct {
        const GUID* Format;
        uint32_t Bits;
    } indexed[] = {{&GUID_WICPixelFormat1bppIndexed, 1},
                   {&GUID_WICPixelFormat2bppIndexed, 2},
                   {&GUID_WICPixelFormat4bppIndexed, 4},
                   {&GUID_WICPixelFormat8bppIndexed, 8}};
    for (const auto& entry : indexed)
        if (format == *entry.Format) {
            picture.FileBitsPerPixel = entry.Bits;
            ComRef<IWICPalette> palette;
            UINT count = 0;
            if (SUCCEEDED(Factory()->CreatePalette(palette.put())) &&
                SUCCEEDED(frame->CopyPalette(palette.get())) &&
                SUCCEEDED(palette->GetColorCount(&count)) && count > 0) {
                std::vector<WICColor> colours(count);
                if (SUCCEEDED(palette->GetColors(count, colours.data(), &count)))
                    for (UINT i = 0; i < count && i < (1u << entry.Bits); ++i)
                        picture.PaletteTransparency |= (colours[i] >> 24) < 255;
            }
            picture.HasAlpha = picture.PaletteTransparency;
        }

    ComRef<IWICFormatConverter> converter;
    if (FAILED(Factory()->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0,
                                     WICBitmapPaletteTypeCustom)))
        return Failed(ImageStatus::NotRecognised);
    const UINT stride = width * 4;
    try {
        picture.Pixels.resize(static_cast<std::size_t>(stride) * height);
    } catch (const std::bad_alloc&) {
        return Failed(ImageStatus::NoMemory);
    }
    if (FAILED(converter->CopyPixels(nullptr, stride, static_cast<UINT>(picture.Pixels.size()),
                                     picture.Pixels.data())))
        return Failed(ImageStatus::NotRecognised);
    Finish(load, form);
    return load;
}

// The header check every picture passes before a decoder sees it. True
// when decoding may go on; otherwise `refused` says why.
bool HeaderAllows(TailSource& source, const uint8_t* start, std::size_t startSize, bool whole,
                  std::wstring_view extension, ImageLoad& refused) {
    const auto header = ReadPictureHeader(source, extension);
    if (!header) {
        if (whole && HasPictureSignature(start, startSize)) { // a known format, broken
            refused = Failed(ImageStatus::NotRecognised);
            return false;
        }
        return true; // another decoder's format: its frame size is checked
    }
    if (PictureTooLarge(header->Width, header->Height)) {
        refused = Failed(ImageStatus::TooLarge, header->Width, header->Height);
        return false;
    }
    return true;
}

// Where the extension of the path's last part starts (its dot); npos
// without one.
std::size_t ExtensionDot(const std::wstring& path) {
    const std::size_t dot = path.find_last_of(L"./\\:");
    return dot != std::wstring::npos && path[dot] == L'.' ? dot : std::wstring::npos;
}

// Upper case, without the dot.
std::wstring ExtensionOf(const std::wstring& path) {
    const std::size_t dot = ExtensionDot(path);
    std::wstring extension = dot == std::wstring::npos ? L"" : path.substr(dot + 1);
    for (wchar_t& c : extension)
        c = static_cast<wchar_t>(std::towupper(c));
    return extension;
}

// The file beside the picture with the same name and another extension.
SideFileReader SideFilesOf(const std::wstring& path) {
    return [stem = path.substr(0, ExtensionDot(path))](
               std::wstring_view extension) -> std::optional<std::vector<uint8_t>> {
        std::vector<uint8_t> bytes;
        bool whole = false;
        if (!ReadFilePrefix(stem + L"." + std::wstring(extension), HeaderBytes, bytes, whole))
            return std::nullopt;
        return bytes;
    };
}

ImageLoad LoadFile(const std::wstring& path, AlphaForm form) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (path.empty() || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(ImageStatus::NotFound);
    // The header check reads the start of the file; a picture whose header
    // lies further in meets the decoder's own size check instead.
    std::vector<uint8_t> start;
    bool whole = false;
    if (!ReadFilePrefix(path, HeaderBytes, start, whole))
        return Failed(ImageStatus::NotFound);
    if (start.empty())
        return Failed(ImageStatus::NotRecognised);
    const std::wstring extension = ExtensionOf(path);
    ByteTailSource source(start.data(), start.size());
    ImageLoad refused;
    if (!HeaderAllows(source, start.data(), start.size(), whole, extension, refused))
        return refused;
    if (IsBmp32(start.data(), start.size())) {
        if (!whole && !ReadFileBytes(path, start))
            return Failed(ImageStatus::NotRecognised);
        return FromBmp32(start.data(), start.size(), form);
    }
    if (IsOwnPicture(start.data(), start.size(), extension)) {
        if (!whole && !ReadFileBytes(path, start))
            return Failed(ImageStatus::NotRecognised);
        return FromOwn(start.data(), start.size(), extension, SideFilesOf(path), form);
    }
    if (IsStbPicture(start.data(), start.size())) {
        if (!whole && !ReadFileBytes(path, start))
            return Failed(ImageStatus::NotRecognised);
        return FromStb(start.data(), start.size(), form);
    }
    IWICImagingFactory* factory = Factory();
    ComRef<IWICBitmapDecoder> decoder;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())))
        return Failed(ImageStatus::NotRecognised);
    return FromDecoder(decoder.get(), form);
}

ImageLoad LoadBytes(const uint8_t* data, std::size_t size, AlphaForm form) {
    if (!data || size == 0 || size > MAXDWORD)
        return Failed(ImageStatus::NotRecognised);
    ByteTailSource source(data, size);
    ImageLoad refused;
    if (!HeaderAllows(source, data, size, true, {}, refused))
        return refused;
    if (IsBmp32(data, size))
        return FromBmp32(data, size, form);
    if (IsOwnPicture(data, size, {})) // by signature only: no name to go by
        return FromOwn(data, size, {}, {}, form);
    if (IsStbPicture(data, size))
        return FromStb(data, size, form);
    IWICImagingFactory* factory = Factory();
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapDecoder> decoder;
    if (!factory || FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data), static_cast<DWORD>(size))) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())))
        return Failed(ImageStatus::NotRecognised);
    return FromDecoder(decoder.get(), form);
}

} // namespace

ImageLoad LoadPictureFile(const std::wstring& path, AlphaForm form) {
    try {
        return LoadFile(path, form);
    } catch (const std::bad_alloc&) {
        return Failed(ImageStatus::NoMemory);
    }
}

ImageLoad LoadPictureBytes(const uint8_t* data, std::size_t size, AlphaForm form) {
    try {
        return LoadBytes(data, size, form);
    } catch (const std::bad_alloc&) {
        return Failed(ImageStatus::NoMemory);
    }
}

std::wstring ImageStatusText(const ImageLoad& load) {
    switch (load.Status) {
    case ImageStatus::Ok:
        return {};
    case ImageStatus::NotFound:
        return L"This file cannot be found.";
    case ImageStatus::TooLarge:
        return L"The image is too large (" + std::to_wstring(load.Width) + L" \u00D7 " +
               std::to_wstring(load.Height) + L" pixels).";
    case ImageStatus::NoMemory:
        return L"Out of memory";
    default:
        return L"This file was not recognised, or is not supported.";
    }
}

bool PictureHasTrans(const Picture& picture) {
    return picture.HasAlpha && !(picture.FileBitsPerPixel <= 8 && picture.PaletteTransparency);
}

std::vector<std::wstring> DecoderExtensions() {
    std::set<std::wstring> found = {L"TGA", L"TARGA", L"PSD", L"PGM", L"PPM"}; // ours
    for (std::wstring& extension : OwnPictureExtensions())
        found.insert(std::move(extension));
    IWICImagingFactory* factory = Factory();
    ComRef<IEnumUnknown> list;
    if (!factory || FAILED(factory->CreateComponentEnumerator(
                        WICDecoder, WICComponentEnumerateDefault, list.put())))
        return {found.begin(), found.end()};
    for (;;) {
        ComRef<IUnknown> item;
        ULONG fetched = 0;
        if (list->Next(1, item.put(), &fetched) != S_OK || fetched != 1)
            break;
        ComRef<IWICBitmapDecoderInfo> info;
        UINT length = 0;
        if (FAILED(item->QueryInterface(IID_IWICBitmapDecoderInfo,
                                        reinterpret_cast<void**>(info.put()))) ||
            FAILED(info->GetFileExtensions(0, nullptr, &length)) || length == 0)
            continue;
        std::wstring text(length, L'\0');
        if (FAILED(info->GetFileExtensions(length, text.data(), &length)))
            continue;
        std::wstring current;
        for (wchar_t c : text + L",") {
            if (c == L',' || c == L';' || c == L'\0' || c == L' ') {
                if (!current.empty())
                    found.insert(current);
                current.clear();
            } else if (c != L'.' && c != L'*') {
                current += static_cast<wchar_t>(std::towupper(c));
            }
        }
    }
    return {found.begin(), found.end()};
}

std::wstring LogoFilterForDecoders() {
    const std::vector<std::wstring> claimed = DecoderExtensions();
    return LogoBrowseFilter([&](const std::wstring& extension) {
        return std::find(claimed.begin(), claimed.end(), extension) != claimed.end();
    });
}

bool ResizePicture(const Picture& source, int32_t width, int32_t height, Picture& out) {
    if (width <= 0 || height <= 0 ||
        PictureTooLarge(static_cast<uint32_t>(width), static_cast<uint32_t>(height)) ||
        source.Pixels.size() != static_cast<std::size_t>(source.Width) * source.Height * 4)
        return false;
    Picture result;
    result.Width = width;
    result.Height = height;
    result.Premultiplied = source.Premultiplied;
    result.HasAlpha = source.HasAlpha;
    result.FileBitsPerPixel = source.FileBitsPerPixel;
    result.PaletteTransparency = source.PaletteTransparency;
    try {
        if (width == source.Width && height == source.Height) {
            result.Pixels = source.Pixels; // the filter would blur even 1:1
        } else {
            result.Pixels.resize(static_cast<std::size_t>(width) * height * 4);
            if (!stbir_resize(source.Pixels.data(), source.Width, source.Height, source.Width * 4,
                              result.Pixels.data(), width, height, width * 4, STBIR_TYPE_UINT8, 4,
                              3, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP, STBIR_EDGE_CLAMP,
                              STBIR_FILTER_MITCHELL, STBIR_FILTER_MITCHELL, STBIR_COLORSPACE_LINEAR,
                              nullptr))
                return false;
            // The filter's negative lobes can leave a colour above its alpha.
            for (std::size_t i = 0; i < result.Pixels.size(); i += 4)
                for (int c = 0; c < 3; ++c)
                    result.Pixels[i + c] = std::min(result.Pixels[i + c], result.Pixels[i + 3]);
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    out = std::move(result);
    return true;
}

bool WritePictureBmp(const std::wstring& path, const Picture& picture) {
    try {
        Bitmap32 bitmap{picture.Width, picture.Height, picture.Pixels, false};
        return WriteFileBytes(path, WriteBmp32(bitmap));
    } catch (const std::bad_alloc&) {
        return false;
    }
}
