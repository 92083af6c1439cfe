#!/usr/bin/env python3
"""Writes the test pictures of the imaging tests (run from this folder).

Every picture but the GIF shows the pattern of Pixel() below, which the
tests compute again: red 6x, green 8y, blue 100, alpha 4(x + y) + 3."""
import struct
import zlib


def pixel(x, y):
    return (x * 6) & 255, (y * 8) & 255, 100, (4 * (x + y) + 3) & 255


def png(w, h, alpha, rows=None):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        if rows:
            raw += rows(y)
            continue
        for x in range(w):
            r, g, b, a = pixel(x, y)
            raw += bytes((r, g, b, a) if alpha else (r, g, b))
    chunk = lambda t, d: struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def bgra_bottom_up(w, h):
    px = bytearray()
    for y in reversed(range(h)):
        for x in range(w):
            r, g, b, a = pixel(x, y)
            px += bytes((b, g, r, a))
    return px


def bmp32(w, h):
    px = bgra_bottom_up(w, h)
    return (b"BM" + struct.pack("<IHHI", 54 + len(px), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(px), 2835, 2835, 0, 0) + px)


def bmp24(w, h):
    stride = (w * 3 + 3) & ~3
    px = bytearray()
    for y in reversed(range(h)):
        row = bytearray()
        for x in range(w):
            r, g, b, _ = pixel(x, y)
            row += bytes((b, g, r))
        px += row + bytes(stride - len(row))
    return (b"BM" + struct.pack("<IHHI", 54 + len(px), 0, 0, 54)
            + struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(px), 2835, 2835, 0, 0) + px)


def tiff(w, h):
    data = bytearray()
    for y in range(h):
        for x in range(w):
            data += bytes(pixel(x, y)[:3])
    entries = [(256, 3, 1, w), (257, 3, 1, h), (258, 3, 1, 8), (259, 3, 1, 1), (262, 3, 1, 2),
               (273, 4, 1, 0), (277, 3, 1, 3), (278, 3, 1, h), (279, 4, 1, len(data))]
    ifd_at = 8 + len(data)
    out = b"II*\x00" + struct.pack("<I", ifd_at) + data + struct.pack("<H", len(entries))
    for tag, typ, count, value in entries:
        if tag == 273:
            value = 8
        if tag == 258:  # three samples: the counts live beside the directory
            value = ifd_at + 2 + 12 * len(entries) + 4
            count = 3
        field = struct.pack("<HI", value, 0)[:4] if typ == 3 and count == 1 else struct.pack("<I", value)
        out += struct.pack("<HHI", tag, typ, count) + field
    return out + struct.pack("<I", 0) + struct.pack("<HHH", 8, 8, 8)


def gif():
    """20 x 10, four colours, index (x // 5) % 4; entry 3 is transparent."""
    w, h = 20, 10
    palette = bytes((255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255))
    indices = [(x // 5) % 4 for y in range(h) for x in range(w)]
    # LZW with a clear code before every pixel keeps every code 3 bits wide.
    codes = []
    for i in indices:
        codes += [4, i]
    codes.append(5)
    bits, nbits, data = 0, 0, bytearray()
    for c in codes:
        bits |= c << nbits
        nbits += 3
        while nbits >= 8:
            data.append(bits & 255)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits)
    blocks = bytearray()
    for i in range(0, len(data), 255):
        part = data[i:i + 255]
        blocks += bytes((len(part),)) + part
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, 0x81, 0, 0) + palette
            + b"\x21\xF9\x04\x01\x00\x00\x03\x00"
            + b"\x2C" + struct.pack("<HHHHB", 0, 0, w, h, 0) + b"\x02" + blocks + b"\x00\x3B")


def ico(w, h):
    px = bgra_bottom_up(w, h)
    mask = bytes(((w + 31) // 32) * 4 * h)
    dib = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(px) + len(mask), 0, 0, 0, 0) + px + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(dib), 22) + dib


def large_png():
    """1920 x 1080 with alpha: alpha in steps across, red by row."""
    def row(y):
        band = bytes(((y * 3) & 255, 40, 200))
        return b"".join(band + bytes(((x // 64) * 8 + 7,)) for x in range(1920))
    return png(1920, 1080, True, row)


def solid_icon(big, small):
    """An icon of two images, 32 x 32 and 16 x 16, each one opaque colour (r, g, b)."""
    images = []
    for size, (r, g, b) in ((32, big), (16, small)):
        px = bytes((b, g, r, 255)) * (size * size)
        mask = bytes(((size + 31) // 32) * 4 * size)
        images.append(struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0) + px + mask)
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        head += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return head + b"".join(images)


# The three icon groups of the icon tests' library, told apart by colour.
for name, big, small in [("icon_red.ico", (220, 20, 20), (250, 120, 120)),
                         ("icon_green.ico", (20, 160, 40), (120, 230, 140)),
                         ("icon_blue.ico", (30, 40, 220), (130, 140, 250))]:
    with open(name, "wb") as f:
        f.write(solid_icon(big, small))

for name, data in [("alpha.png", png(40, 30, True)), ("opaque.png", png(40, 30, False)),
                   ("alpha32.bmp", bmp32(40, 30)), ("rgb24.bmp", bmp24(40, 30)),
                   ("rgb.tif", tiff(40, 30)), ("keyed.gif", gif()), ("icon.ico", ico(32, 32)),
                   ("large.png", large_png())]:
    with open(name, "wb") as f:
        f.write(data)
