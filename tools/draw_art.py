#!/usr/bin/env python3
"""Draws our own emblem and writes the two committed pictures made from it:

  resources/quorvel.ico  the screensaver's icon: 11 images (16x16 at 4, 8 and
                         24 bits, 32x32 at 4, 8 and 24 bits, 48x48 at 8 and 24
                         bits, 32x32 and 48x48 at 32 bits, 256x256 at 32 bits
                         as PNG)
  resources/defimg.bmp   the built-in logo: 200 x 200, 32 bits with alpha
                         (straight, not premultiplied), bottom-up, 160,054 bytes
  resources/travel_*.bmp the creator's own travel buttons, the last picture
                         source: back and forward side by side, 50 x 25, 32
                         bits with premultiplied alpha, one file per look
                         (normal, hot, pressed, disabled)
  resources/open.bmp     the command link's "open" picture (a folder) and
  resources/go.bmp       its "go" picture (a green arrow): 16 x 16, 32 bits
                         with premultiplied alpha, bottom-up
  resources/logo.bmp     the creator's logo (resource LOGO: the About box and
                         the glass header): the emblem with its glow, 46 x 46,
                         32 bits with premultiplied alpha (so, copied as it is,
                         the emblem over black), bottom-up
  resources/tiny.bmp     the glass caption's small icon (TINY, 16 x 16): the
                         glowing emblem over black, 24 bits, bottom-up
  resources/pick.cur     the transparent-colour pick cursor (PICK): a dropper,
                         32 x 32 monochrome, its hot spot at the tip
  resources/monitor.bmp  the Scale Image dialog's monitor (MONITOR): 150 x 130,
                         32 bits with premultiplied alpha, bottom-up; its
                         screen is the dark area at (11, 10)-(139, 100)
  resources/about.bmp    the wizard header's About picture (ABOUT): the emblem
                         with an information badge, 32 x 32, 32 bits with
                         premultiplied alpha, bottom-up
  resources/side.bmp     the welcome page's side picture (SIDE): the monitor
                         showing the emblem bouncing, 150 x 160, 32 bits with
                         premultiplied alpha, bottom-up

Run it again only to change the drawing: python3 tools/draw_art.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SAMPLES = 4  # supersampling per axis


def lerp(a, b, t):
    return a + (b - a) * t


def emblem(x, y, glow):
    """Straight RGBA (0..1) of the emblem at unit coordinates x, y: a blue
    disc with a white ring and tail (a "Q"), optionally a soft glow."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    disc = 0.40 if glow else 0.47
    if r <= disc:
        t = y  # top to bottom gradient
        col = (lerp(0.16, 0.08, t), lerp(0.70, 0.28, t), lerp(0.90, 0.66, t))
        # white ring
        ring = abs(r - disc * 0.56) <= disc * 0.13
        # tail: a thick segment towards the lower right
        ax, ay = 0.5 + disc * 0.22, 0.5 + disc * 0.22
        bx, by = 0.5 + disc * 0.70, 0.5 + disc * 0.70
        vx, vy = bx - ax, by - ay
        u = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
        tail = math.hypot(x - (ax + u * vx), y - (ay + u * vy)) <= disc * 0.13
        if ring or tail:
            col = (1.0, 1.0, 1.0)
        # a pale highlight across the upper left
        hl = math.hypot(x - 0.36, y - 0.30)
        if not (ring or tail) and hl < disc * 0.45:
            k = 0.25 * (1 - hl / (disc * 0.45))
            col = tuple(c + (1 - c) * k for c in col)
        return col + (1.0,)
    if glow and r <= 0.5:
        a = 0.55 * (1 - (r - disc) / (0.5 - disc)) ** 2
        return (0.30, 0.75, 1.0, a)
    return (0.0, 0.0, 0.0, 0.0)


def supersample(shape, size):
    """Per pixel of size x size, top row first: the premultiplied colour sums
    and the alpha, averaged over SAMPLES x SAMPLES points (0..1)."""
    n = SAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = shape((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            row.append(acc)
        rows.append(row)
    return rows


def render(size, glow):
    """size x size straight RGBA pixels, top row first, as 0..255 tuples."""
    rows = []
    for sums in supersample(lambda x, y: emblem(x, y, glow), size):
        row = []
        for acc in sums:
            a = acc[3] / (SAMPLES * SAMPLES)
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(255 * c / acc[3])) for c in acc[:3]) + (int(round(255 * a)),))
        rows.append(row)
    return rows


def vga16():
    base = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
            (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
            (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
    return base


def web256():
    pal = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    pal += [(int(i * 255 / 39),) * 3 for i in range(40)]
    return pal


def nearest(pal, c):
    return min(range(len(pal)), key=lambda i: sum((pal[i][k] - c[k]) ** 2 for k in range(3)))


def pad4(b):
    return b + b"\0" * (-len(b) % 4)


def bmp_icon_image(rows, bits):
    """An icon image in BMP form: header (height doubled), palette, colour
    bits and the 1-bit AND mask, both bottom-up."""
    size = len(rows)
    pal = vga16() if bits == 4 else web256() if bits == 8 else None
    cache = {}
    xor = b""
    mask = b""
    for row in reversed(rows):
        line = bytearray()
        mline = bytearray((size + 7) // 8)
        nibble = None
        for x, (r, g, b, a) in enumerate(row):
            opaque = a >= 128
            if not opaque:
                mline[x // 8] |= 0x80 >> (x % 8)
            if bits == 32:
                line += bytes((b, g, r, a))
                continue
            c = (r, g, b) if opaque else (0, 0, 0)
            if bits == 24:
                line += bytes((c[2], c[1], c[0]))
            else:
                if c not in cache:
                    cache[c] = nearest(pal, c)
                i = cache[c]
                if bits == 8:
                    line.append(i)
                elif nibble is None:
                    nibble = i
                else:
                    line.append(nibble << 4 | i)
                    nibble = None
        xor += pad4(bytes(line))
        mask += pad4(bytes(mline))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in pal) if pal else b""
    return header + palette + xor + mask


def png_image(rows):
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    size = len(rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_ico(path):
    images = {s: render(s, False) for s in (16, 32, 48, 256)}
    order = [(16, 4), (16, 8), (16, 24), (32, 4), (32, 8), (32, 24), (48, 8), (48, 24), (32, 32),
             (48, 32), (256, 32)]
    blobs = [png_image(images[s]) if s == 256 else bmp_icon_image(images[s], bits) for s, bits in order]
    out = struct.pack("<HHH", 0, 1, len(order))
    offset = 6 + 16 * len(order)
    for (s, bits), blob in zip(order, blobs):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    out += b"".join(blobs)
    with open(path, "wb") as f:
        f.write(out)


def write_bmp(path):
    rows = render(200, True)
    pixels = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, 200, 200, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


TRAVEL_LOOKS = {
    # look: disc top and bottom colour, arrow colour, shift of the whole picture
    "normal": ((0.36, 0.62, 0.90), (0.10, 0.34, 0.70), (1.0, 1.0, 1.0), 0),
    "hot": ((0.55, 0.80, 1.00), (0.16, 0.48, 0.88), (1.0, 1.0, 1.0), 0),
    "pressed": ((0.10, 0.30, 0.62), (0.06, 0.20, 0.46), (0.85, 0.90, 1.0), 1),
    "disabled": ((0.82, 0.82, 0.82), (0.62, 0.62, 0.62), (0.95, 0.95, 0.95), 0),
}


def travel_button(x, y, look, forward):
    """Straight RGBA of one round travel button at unit coordinates: a disc
    with a thin rim and a white arrow pointing back (left) or forward."""
    top, bottom, arrow, _ = TRAVEL_LOOKS[look]
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if r > 0.46:
        return (0.0, 0.0, 0.0, 0.0)
    if r > 0.42:  # rim
        return tuple(c * 0.7 for c in bottom) + (1.0,)
    ax = -dx if forward else dx  # the arrow points to negative ax
    shaft = -0.06 <= ax <= 0.20 and abs(dy) <= 0.06
    head = -0.22 <= ax <= -0.02 and abs(dy) <= (ax + 0.22) * 1.1
    if shaft or head:
        return arrow + (1.0,)
    return tuple(lerp(a, b, y) for a, b in zip(top, bottom)) + (1.0,)


def travel_pixels(look, size=25):
    """2 size x size straight RGBA rows: back then forward, top row first."""
    shift = TRAVEL_LOOKS[look][3]
    n = SAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(2 * size):
            forward = px >= size
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    ux = (px - (size if forward else 0) - shift + (sx + 0.5) / n) / size
                    uy = (py - shift + (sy + 0.5) / n) / size
                    r, g, b, a = travel_button(ux, uy, look, forward)
                    acc = [acc[0] + r * a, acc[1] + g * a, acc[2] + b * a, acc[3] + a]
            row.append(tuple(c / (n * n) for c in acc))  # premultiplied
        rows.append(row)
    return rows


def write_travel(path, look):
    rows = travel_pixels(look)
    width, height = len(rows[0]), len(rows)
    pixels = b"".join(
        b"".join(bytes(int(round(255 * c)) for c in (b, g, r, a)) for r, g, b, a in row) for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def folder(x, y):
    """Straight RGBA of an open yellow folder at unit coordinates."""
    back = 0.12 <= x <= 0.82 and 0.22 <= y <= 0.84 or 0.12 <= x <= 0.45 and 0.14 <= y <= 0.25
    # the open front leans to the right
    lean = (0.84 - y) * 0.35
    front = 0.38 <= y <= 0.88 and 0.08 + lean * 0.2 <= x <= 0.92 - lean * 0.0 and x >= 0.06 + (0.88 - y) * 0.25
    if front:
        edge = y > 0.84 or x < 0.08 + (0.88 - y) * 0.25 + 0.06
        return (0.72, 0.52, 0.05, 1.0) if edge else (1.0, 0.84, 0.30, 1.0)
    if back:
        edge = x < 0.17 or y < 0.19 or x > 0.77
        return (0.70, 0.50, 0.05, 1.0) if edge else (0.93, 0.72, 0.18, 1.0)
    return (0.0, 0.0, 0.0, 0.0)


def arrow(x, y):
    """Straight RGBA of a green disc with a white arrow pointing right."""
    dx, dy = x - 0.5, y - 0.5
    r = math.hypot(dx, dy)
    if r > 0.47:
        return (0.0, 0.0, 0.0, 0.0)
    shaft = 0.24 <= x <= 0.56 and abs(dy) <= 0.09
    head = 0.52 <= x <= 0.78 and abs(dy) <= (0.78 - x) * 0.95
    if shaft or head:
        return (1.0, 1.0, 1.0, 1.0)
    if r > 0.41:
        return (0.10, 0.45, 0.12, 1.0)
    return (lerp(0.35, 0.15, y), lerp(0.80, 0.55, y), lerp(0.30, 0.15, y), 1.0)


def write_picture(path, shape, size=16):
    # premultiplied, as AlphaBlend takes it
    rows = [[tuple(int(round(255 * c / (SAMPLES * SAMPLES))) for c in acc) for acc in row]
            for row in supersample(shape, size)]
    pixels = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def write_glass_picture(path, size):
    # over black: the premultiplied sums are the colour; rows padded to 4 bytes
    rows = [[tuple(int(round(255 * c / (SAMPLES * SAMPLES))) for c in acc[:3]) for acc in row]
            for row in supersample(lambda x, y: emblem(x, y, True), size)]
    pixels = b"".join(pad4(b"".join(bytes((b, g, r)) for r, g, b in row)) for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, size, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def dropper(x, y):
    """0 outside, 1 the white body, 2 the black tip of a dropper that runs
    from the lower left (its tip) to a bulb at the upper right."""
    ax, ay, bx, by = 2.5, 29.5, 21.0, 11.0
    vx, vy = bx - ax, by - ay
    u = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
    d = math.hypot(x - (ax + max(0.0, min(1.0, u)) * vx), y - (ay + max(0.0, min(1.0, u)) * vy))
    if 0.0 <= u <= 1.0 and d <= 1.2 + 1.3 * u:
        return 2 if u < 0.18 else 1
    # the collar across the tube, then the bulb
    cu = ((x - bx) * vx + (y - by) * vy) / math.hypot(vx, vy)
    cd = abs((x - bx) * vy - (y - by) * vx) / math.hypot(vx, vy)
    if -1.0 <= cu <= 1.5 and cd <= 5.0:
        return 1
    if math.hypot(x - 25.0, y - 7.0) <= 4.5:
        return 1
    return 0


def write_cursor(path, shape, hot):
    size = 32
    inside = [[shape(x + 0.5, y + 0.5) for x in range(size)] for y in range(size)]

    def near(x, y):
        return any(0 <= x + dx < size and 0 <= y + dy < size and inside[y + dy][x + dx]
                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))

    xor_rows, and_rows = [], []
    for y in range(size):
        xor_bits = and_bits = 0
        for x in range(size):
            bit = 1 << (size - 1 - x)
            if inside[y][x] == 1:
                xor_bits |= bit  # white
            elif not inside[y][x] and not near(x, y):
                and_bits |= bit  # see-through; the rest is the black outline and tip
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hot[0], hot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def rounded_box(x, y, left, top, right, bottom, radius):
    """Whether the point is inside the rectangle with rounded corners."""
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return math.hypot(x - cx, y - cy) <= radius


MONITOR_SIZE = (150, 130)
MONITOR_SCREEN = (11, 10, 139, 100)


def monitor(x, y):
    """Straight RGBA of a light grey monitor on its stand, in pixels."""
    sl, st, sr, sb = MONITOR_SCREEN
    if sl <= x < sr and st <= y < sb:
        return (0.10, 0.12, 0.16, 1.0)
    if rounded_box(x, y, 1, 1, 149, 110, 6):
        edge = not rounded_box(x, y, 2.5, 2.5, 147.5, 108.5, 5)
        if edge:
            return (0.38, 0.38, 0.40, 1.0)
        # the bezel: lighter towards the top, a bevel round the screen
        if sl - 2 <= x < sr + 2 and st - 2 <= y < sb + 2:
            return (0.55, 0.56, 0.58, 1.0)
        if math.hypot(x - 132, y - 104.5) <= 2:
            return (0.20, 0.75, 0.25, 1.0)  # the power light
        t = y / 110.0
        return (lerp(0.90, 0.74, t), lerp(0.90, 0.74, t), lerp(0.91, 0.76, t), 1.0)
    if 62 <= x < 88 and 110 <= y < 119:
        return (lerp(0.62, 0.50, (y - 110) / 9), lerp(0.62, 0.50, (y - 110) / 9),
                lerp(0.64, 0.52, (y - 110) / 9), 1.0)
    if ((x - 75) / 48) ** 2 + ((y - 123) / 6) ** 2 <= 1:
        edge = ((x - 75) / 46.5) ** 2 + ((y - 123) / 4.5) ** 2 > 1
        return (0.38, 0.38, 0.40, 1.0) if edge else (0.78, 0.78, 0.80, 1.0)
    return (0.0, 0.0, 0.0, 0.0)


def write_monitor(path):
    write_rgba(path, monitor, *MONITOR_SIZE)


def about_badge(x, y):
    """The emblem with a white "i" badge at its lower right, unit coordinates."""
    bx, by, br = 0.76, 0.76, 0.22
    d = math.hypot(x - bx, y - by)
    if d <= br:
        dot = math.hypot(x - bx, y - (by - 0.10)) <= 0.035
        stem = abs(x - bx) <= 0.03 and by - 0.04 <= y <= by + 0.13
        if dot or stem:
            return (0.10, 0.35, 0.75, 1.0)
        return (1.0, 1.0, 1.0, 1.0) if d <= br - 0.035 else (0.10, 0.35, 0.75, 1.0)
    return emblem(x, y, False)


SIDE_SIZE = (150, 160)
SIDE_MONITOR_TOP = 30
# The emblem's path on the screen: faded copies first, the emblem itself last.
SIDE_BOUNCE = ((32, 74, 18, 0.25), (52, 52, 22, 0.5), (80, 38, 30, 1.0))


def side(x, y):
    """Straight RGBA of the side picture, in pixels: the monitor, its screen
    showing the emblem bouncing up to the right."""
    my = y - SIDE_MONITOR_TOP
    if my < 0:
        return (0.0, 0.0, 0.0, 0.0)
    base = monitor(x, my)
    sl, st, sr, sb = MONITOR_SCREEN
    if not (sl <= x < sr and st <= my < sb):
        return base
    col = base[:3]
    for cx, cy, size, fade in SIDE_BOUNCE:
        r, g, b, a = emblem((x - sl - cx + size / 2) / size, (my - st - cy + size / 2) / size, True)
        a *= fade
        col = tuple(lerp(c, e, a) for c, e in zip(col, (r, g, b)))
    return col + (1.0,)


def write_rgba(path, shape, width, height):
    """A bottom-up 32-bit bitmap with premultiplied alpha of shape(x, y) in
    pixels, supersampled."""
    n = SAMPLES
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = shape(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            row.append(tuple(int(round(255 * c / (n * n))) for c in acc))
        rows.append(row)
    pixels = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(rows))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    write_ico(os.path.join(ROOT, "resources", "quorvel.ico"))
    write_bmp(os.path.join(ROOT, "resources", "defimg.bmp"))
    for look in TRAVEL_LOOKS:
        write_travel(os.path.join(ROOT, "resources", "travel_%s.bmp" % look), look)
    write_picture(os.path.join(ROOT, "resources", "open.bmp"), folder)
    write_picture(os.path.join(ROOT, "resources", "go.bmp"), arrow)
    write_picture(os.path.join(ROOT, "resources", "logo.bmp"), lambda x, y: emblem(x, y, True), 46)
    write_glass_picture(os.path.join(ROOT, "resources", "tiny.bmp"), 16)
    write_cursor(os.path.join(ROOT, "resources", "pick.cur"), dropper, (2, 29))
    write_monitor(os.path.join(ROOT, "resources", "monitor.bmp"))
    write_picture(os.path.join(ROOT, "resources", "about.bmp"), about_badge, 32)
    write_rgba(os.path.join(ROOT, "resources", "side.bmp"), side, *SIDE_SIZE)
