#!/usr/bin/env bash
# Writes the pictures of the own-decoder tests with other people's writers
# (ImageMagick's convert, netpbm's pbmtog3); run from this folder. The
# sources are drawn here; the tests know their colours.
set -euo pipefail
convert=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

python3 - "$tmp" <<'PY'
import sys
tmp = sys.argv[1]

def pam(name, w, h, pixel):
    out = bytearray(b"P7\nWIDTH %d\nHEIGHT %d\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n" % (w, h))
    for y in range(h):
        for x in range(w):
            out += bytes(pixel(x, y))
    open(f"{tmp}/{name}", "wb").write(out)

# 9 x 6: one flat colour and alpha per 4 x 4 block (the blocks of DXT).
colours = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0), (255, 255, 0)]
alphas = [255, 0, 136, 255, 68, 255]
def block(x, y):
    b = y // 4 * 3 + x // 4
    return colours[b] + (alphas[b],)
pam("blocks.pam", 9, 6, block)

# 33 x 17: red left, blue right; opaque above row 8, alpha 7x below.
pam("halves.pam", 33, 17,
    lambda x, y: ((200, 30, 30) if x < 16 else (30, 30, 200)) + ((255 if y < 8 else x * 7 & 255),))

# 768 x 512: four quarters, a white 64 x 64 square at the top left.
def quarter(x, y):
    if x < 64 and y < 64:
        return (255, 255, 255)
    return [[(200, 40, 40), (40, 200, 40)], [(40, 40, 200), (128, 128, 128)]][y // 256][x // 384]
out = bytearray(b"P6\n768 512\n255\n")
for y in range(512):
    for x in range(768):
        out += bytes(quarter(x, y))
open(f"{tmp}/quarters.ppm", "wb").write(out)

# 1728 x 9 fax page: row y black from 100y for 50 + y pixels; row 7 white,
# row 8 black.
rows = []
for y in range(9):
    bits = [0] * 1728
    for x in range(1728):
        if y == 8 or (y < 7 and 100 * y <= x < 100 * y + 50 + y):
            bits[x] = 1
    rows.append(bits)
out = bytearray(b"P4\n1728 9\n")
for bits in rows:
    for i in range(0, 1728, 8):
        out.append(int("".join(map(str, bits[i:i + 8])), 2))
open(f"{tmp}/page.pbm", "wb").write(out)
PY

for c in dxt1 dxt5 none; do
    "$convert" "$tmp/blocks.pam" -define dds:compression=$c -define dds:mipmaps=0 "blocks-$c.dds"
done
"$convert" "$tmp/blocks.pam" -alpha off -define dds:compression=none -define dds:mipmaps=0 blocks-rgb.dds
"$convert" "$tmp/halves.pam" halves-alpha.jng
"$convert" "$tmp/halves.pam" -alpha off halves-opaque.jng
"$convert" "$tmp/halves.pam" -alpha off -interlace Plane halves-progressive.jng
# An alpha JPEG beside the colour one, for a JNG whose alpha is JDAA.
"$convert" "$tmp/halves.pam" -alpha extract -quality 95 halves-alpha.jpg
"$convert" "$tmp/halves.pam" "$tmp/blocks.pam" halves-then-blocks.mng
"$convert" "$tmp/quarters.ppm" "$tmp/quarters.pcd"
python3 -c "import sys, zlib; sys.stdout.buffer.write(zlib.compress(open(sys.argv[1], 'rb').read(), 9))" \
    "$tmp/quarters.pcd" >quarters.pcd.z
pbmtog3 "$tmp/page.pbm" >page.g3

# JNGs of the opaque one's colour with alpha of 1 to 16 bits, in each of
# PNG's row filters: pnmtopng's IDAT chunks behind a JHDR that says so, and
# one with the alpha JPEG as JDAA. The alpha samples are
# (3x + 5y) * 997 modulo 2^bits.
for made in "1 nofilter" "2 sub" "4 up" "8 avg" "16 paeth"; do
    set -- $made
    python3 -c "
w, h, top = 33, 17, (1 << $1) - 1
rows = [' '.join(str((3 * x + 5 * y) * 997 % (top + 1)) for x in range(w)) for y in range(h)]
print('P2', w, h, top, *rows, sep='\n')" >"$tmp/alpha$1.pgm"
    pnmtopng -$2 "$tmp/alpha$1.pgm" >"$tmp/alpha$1.png"
done
python3 - "$tmp" <<'PY'
import struct, sys, zlib
tmp = sys.argv[1]

def chunks(data):
    at = 8
    while at < len(data):
        n, = struct.unpack(">I", data[at:at + 4])
        yield data[at + 4:at + 8], data[at + 8:at + 8 + n]
        at += 12 + n

def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

def jng(name, alpha_bits, alpha_method, alpha_chunks):
    colour = [c for c in chunks(open("halves-opaque.jng", "rb").read()) if c[0] == b"JDAT"]
    head = struct.pack(">IIBBBBBBBB", 33, 17, 14, 8, 8, 0, alpha_bits, alpha_method, 0, 0)
    out = b"\x8bJNG\r\n\x1a\n" + chunk(b"JHDR", head)
    out += b"".join(chunk(k, b) for k, b in colour + alpha_chunks) + chunk(b"IEND", b"")
    open(name, "wb").write(out)

for bits in (1, 2, 4, 8, 16):
    idat = [c for c in chunks(open(f"{tmp}/alpha{bits}.png", "rb").read()) if c[0] == b"IDAT"]
    jng(f"alpha{bits}.jng", bits, 0, idat)
jng("alpha-jpeg.jng", 8, 8, [(b"JDAA", open("halves-alpha.jpg", "rb").read())])
PY
