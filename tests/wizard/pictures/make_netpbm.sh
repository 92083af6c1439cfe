#!/usr/bin/env bash
# Writes pictures of the formats our own decoders read with Debian's netpbm
# (tools/setup.sh installs it), from the plain maps below; the tests decode
# each and compare it with the map it was made from. Run it here to remake
# them.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Nine colours over an odd width, one of them without an X11 name.
cat >np_pattern.ppm <<'PPM'
P3
7 5
255
255 0 0  0 255 0  0 0 255  255 255 255  0 0 0  18 52 86  255 255 0
0 0 0  255 255 0  0 255 255  255 0 255  18 52 86  255 0 0  0 255 0
255 255 255  0 0 0  255 0 0  0 0 255  0 255 0  0 255 255  255 0 255
18 52 86  0 255 255  255 255 0  0 0 0  255 255 255  0 0 255  255 0 0
0 255 0  255 0 255  18 52 86  255 255 0  0 255 255  0 0 0  255 255 255
PPM
# Four colours; black and white across a byte's end; 289 colours.
cat >np_four.ppm <<'PPM'
P3
5 3
255
255 0 0  0 0 255  255 0 0  255 255 255  0 0 0
0 0 0  255 255 255  0 0 255  255 0 0  0 0 255
255 255 255  255 255 255  0 0 0  0 0 255  255 0 0
PPM
cat >np_bw.pbm <<'PBM'
P1
11 3
1 0 1 1 0 0 0 1 0 1 1
0 1 0 0 1 1 1 0 1 0 0
1 1 0 1 0 1 0 1 1 1 0
PBM
{
    echo P3 17 17 255
    for y in $(seq 0 16); do
        for x in $(seq 0 16); do echo "$((x * 15)) $((y * 15)) 128"; done
    done
} >np_gradient.ppm
# Black where the pattern is black: transparent in the pixmap.
ppmtopgm np_pattern.ppm | pgmtopbm -threshold -value 0.01 | pnmtoplainpnm >"$tmp/mask.pbm"

pnmtoplainpnm np_pattern.ppm >np_pattern_p3.ppm
pnmtopnm np_pattern.ppm >np_pattern_p6.ppm
ppmtopgm np_pattern.ppm >np_pattern_p5.pgm
pnmtoplainpnm np_pattern_p5.pgm >np_pattern_p2.pgm
pnmtopnm np_bw.pbm >np_bw_p4.pbm

ppmtopcx np_pattern.ppm >np_pattern_planes.pcx 2>/dev/null
ppmtopcx -packed np_pattern.ppm >np_pattern_packed.pcx 2>/dev/null
ppmtopcx -8bit np_pattern.ppm >np_pattern_8bit.pcx 2>/dev/null
ppmtopcx -24bit np_pattern.ppm >np_pattern_24bit.pcx 2>/dev/null
ppmtopcx -packed np_four.ppm >np_four_packed.pcx 2>/dev/null
ppmtopcx -planes=2 np_four.ppm >np_four_planes.pcx 2>/dev/null
pnmtopnm np_bw.pbm | ppmtopcx >np_bw.pcx 2>/dev/null

ppmtotga np_pattern.ppm >np_pattern.tga 2>/dev/null # (ImageMagick's are upside down)

pnmtorast np_pattern.ppm >np_pattern.ras 2>/dev/null
pnmtorast -standard np_pattern.ppm >np_pattern_standard.ras 2>/dev/null
pnmtorast np_gradient.ppm >np_gradient.ras 2>/dev/null
pnmtorast -standard np_gradient.ppm >np_gradient_standard.ras 2>/dev/null
# (Its 1-bit pictures come out blank: none is kept.)

pbmtowbmp np_bw.pbm >np_bw.wbmp

pbmtoxbm -x11 np_bw.pbm >np_bw_x11.xbm
pbmtoxbm -x10 np_bw.pbm >np_bw_x10.xbm

ppmtoxpm np_pattern.ppm >np_pattern.xpm 2>/dev/null
ppmtoxpm -hexonly np_pattern.ppm >np_pattern_hex.xpm 2>/dev/null
ppmtoxpm np_gradient.ppm >np_gradient.xpm 2>/dev/null
ppmtoxpm -alphamask="$tmp/mask.pbm" np_pattern.ppm >np_pattern_masked.xpm 2>/dev/null

ppmtoilbm np_pattern.ppm >np_pattern.iff 2>/dev/null
ppmtoilbm -cmethod none np_pattern.ppm >np_pattern_plain.iff 2>/dev/null
ppmtoilbm -24force np_gradient.ppm >np_gradient.iff 2>/dev/null

# The same pattern and gradient in the other formats of the logo page's
# filter, by ImageMagick, for the road test that names one file of each.
for e in bmp gif ico mng png psd tif; do convert np_pattern.ppm im_pattern.$e; done
convert np_pattern.ppm -define dds:compression=none -define dds:mipmaps=0 im_pattern.dds
convert np_gradient.ppm -quality 90 im_gradient.jpg
convert np_gradient.ppm -quality 90 im_gradient.jng
