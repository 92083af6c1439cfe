// Tells a Flash movie or a web page apart from anything else by its first
// bytes, never by its name, and reads a movie's frame size from its header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class DynamicKind { None, Flash, Html };

// "Flash", "HTML" or the empty text.
std::string_view DynamicKindText(DynamicKind kind);

// Bytes of the file that the type test looks at.
constexpr std::size_t DynamicHeadSize = 200;

// The type by the first bytes of a file (at most DynamicHeadSize are looked
// at; a shorter file counts as padded with spaces). "FWS" or "CWS" at the
// start is Flash; otherwise a head that, lowered, holds "<html", "<body",
// "<head", "<title" or "<!doctype html", or holds both "</" and ">", is HTML.
DynamicKind SniffDynamicKind(const uint8_t* head, std::size_t size);

// Sequential reader of a file from its start. Read returns the number of
// bytes read, 0 only at the end; a failing read throws.
class ByteStream {
  public:
    virtual ~ByteStream() = default;
    virtual std::size_t Read(uint8_t* buffer, std::size_t count) = 0;
};

enum class FrameStatus {
    Ok,        // Width and Height hold the frame size in pixels
    BadStream, // a compressed movie whose data does not inflate: 0 by 0
    Truncated, // the data ends inside the frame rectangle: no size
};

struct DynamicContent {
    DynamicKind Kind = DynamicKind::None;
    FrameStatus Frame = FrameStatus::Ok; // only for Flash
    int32_t Width = 0;
    int32_t Height = 0;
};

// The frame size of a bit-packed SWF RECT: 5 bits N, then Xmin, Xmax, Ymin,
// Ymax of N bits each, most significant bit first. Xmax and Ymax are read as
// unsigned twips, Xmin and Ymin are skipped (not subtracted), and each is
// divided by 20 with halves rounded to even. False when `size` bytes do not
// hold the whole rectangle.
bool ReadFrameRect(const uint8_t* rect, std::size_t size, int32_t& width, int32_t& height);

// Reads a file's type and, for a movie, its frame size. Only the head is read
// for the type; a compressed movie is inflated only as far as its frame
// rectangle goes, whatever length its header claims.
DynamicContent DetectDynamicContent(ByteStream& file);
