// The logo page's pictures: decoding any format an installed decoder reads
// (through the Windows Imaging Component; no other file talks to it) and
// Targa, Photoshop and PGM/PPM pictures (core/StbPicture.h) and the
// formats our own decoders read (core/OwnPicture.h),
// rescaling, and writing 32-bit bitmaps. Every size is checked against the
// picture limits before anything is allocated for it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int32_t Width = 0, Height = 0;
    std::vector<uint8_t> Pixels; // BGRA, top row first
    bool Premultiplied = false;  // colours times alpha
    // The picture carries an alpha channel (a palette with transparency
    // counts); a 32-bit bitmap whose alpha bytes are all 0 or all 255 does not.
    bool HasAlpha = false;
    // Bits per pixel of the file's own format: 1, 2, 4 or 8 are palettised.
    uint32_t FileBitsPerPixel = 32;
    // Palettised with an entry whose alpha is below 255.
    bool PaletteTransparency = false;
};

enum class ImageStatus { Ok, NotFound, NotRecognised, TooLarge, NoMemory };

struct ImageLoad {
    ImageStatus Status = ImageStatus::NotRecognised;
    uint32_t Width = 0, Height = 0; // the size the header gave (TooLarge)
    Picture Image;
};

// AsLogo: premultiplied exactly when the logo is drawn through its alpha
// (PictureHasTrans), as the logo page keeps it.
enum class AlphaForm { Straight, Premultiplied, AsLogo };

// A picture file. A missing file or a folder is NotFound; a broken or
// truncated one NotRecognised; one over the limits TooLarge (with its
// size), before any decoder sees it.
ImageLoad LoadPictureFile(const std::wstring& path, AlphaForm form);
// The same from bytes in memory (the built-in logo).
ImageLoad LoadPictureBytes(const uint8_t* data, std::size_t size, AlphaForm form);

// The page's words for a failed load: "This file cannot be found.", "This
// file was not recognised, or is not supported.", "The image is too large
// (W × H pixels)." or the system's out-of-memory text.
std::wstring ImageStatusText(const ImageLoad& load);

// The logo is drawn through its own alpha: it has an alpha channel and is
// not a palettised picture whose palette holds transparency (that one is
// left to the colour key).
bool PictureHasTrans(const Picture& picture);

// Lets go of the imaging component on this thread (its factory and the COM
// use that made it): before the thread's COM ends. The next use starts again.
void ReleaseImaging();

// The file extensions installed decoders and our own claim, upper case
// without the dot ("JPG"); asked of the system on each call.
std::vector<std::wstring> DecoderExtensions();

// The Browse filter of the logo page for the decoders installed here.
std::wstring LogoFilterForDecoders();

// A premultiplied picture at another size (Mitchell filter, linear colour,
// colours clamped to alpha); the same size copies the bytes. False when the
// size is empty or over the limits, or memory runs out.
bool ResizePicture(const Picture& source, int32_t width, int32_t height, Picture& out);

// Writes the picture as a 32-bit BI_RGB bitmap file (its bytes as they
// are), replacing the file; false unless every byte was written and closed.
bool WritePictureBmp(const std::wstring& path, const Picture& picture);
