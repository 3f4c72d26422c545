#!/usr/bin/env bash
# Draws the program icon (vex.ico) and the tray icon (tbar.ico) with
# ImageMagick, then packs them into .ico files with a short Python step. The
# 16-colour images use the standard 16-colour palette with a 1-bit mask; the
# larger images are 32-bit with alpha. Writes next to this script.
# Needs: convert, identify, python3.
set -euo pipefail
cd "$(dirname "$0")"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

# calc32 OUT: the 32x32 drawing, pixel exact.
calc32() {
  local d=(-fill '#808080' -stroke '#000000' -draw 'roundrectangle 4,0 27,31 3,3'
           -fill '#00FFFF' -draw 'rectangle 7,3 24,10'
           -stroke none -fill '#000080'
           -draw 'rectangle 14,5 15,8' -draw 'rectangle 17,5 18,8' -draw 'rectangle 20,5 21,8')
  local row col x y fill
  for row in 0 1 2 3; do
    for col in 0 1 2 3; do
      x=$((7 + col * 5)); y=$((13 + row * 4))
      fill='#FFFFFF'; [ "$col" = 3 ] && fill='#FF0000'
      [ "$col" = 3 ] && [ "$row" = 3 ] && fill='#FFFF00'
      d+=(-fill "$fill" -draw "rectangle $x,$y $((x + 2)),$((y + 2))")
    done
  done
  convert -size 32x32 xc:none +antialias "${d[@]}" "$1"
}

# calc16 OUT: the 16x16 drawing, pixel exact.
calc16() {
  convert -size 16x16 xc:none +antialias \
    -fill '#808080' -stroke '#000000' -draw 'rectangle 2,0 13,15' \
    -fill '#00FFFF' -draw 'rectangle 4,2 11,5' \
    -stroke none -fill '#000080' -draw 'rectangle 7,3 7,4' -draw 'rectangle 9,3 9,4' \
    -fill '#FFFFFF' \
    -draw 'rectangle 4,7 5,8'  -draw 'rectangle 7,7 8,8' \
    -draw 'rectangle 4,10 5,11' -draw 'rectangle 7,10 8,11' \
    -draw 'rectangle 4,13 5,13' -draw 'rectangle 7,13 8,13' \
    -fill '#FF0000' -draw 'rectangle 10,7 11,8' -draw 'rectangle 10,10 11,11' \
    -fill '#FFFF00' -draw 'rectangle 10,13 11,13' \
    "$1"
}

# calcgrid OUT SIZE BODY_L BODY_R SCREEN_R KEY_X KEY_Y KEY_DX KEY_DY: the
# drawing for the tray at 20 and 24 pixels, pixel exact: body, display with
# three figures, and a 4x4 keypad of 2x2 keys.
calcgrid() {
  local out=$1 n=$2 bl=$3 br=$4 sr=$5 kx=$6 ky=$7 dx=$8 dy=$9
  local d=(-fill '#808080' -stroke '#000000' -draw "rectangle $bl,0 $br,$((n - 1))"
           -fill '#00FFFF' -draw "rectangle $((bl + 2)),2 $sr,$((ky - 3))"
           -stroke none -fill '#000080')
  local i row col x y fill
  for i in 0 1 2; do
    x=$((sr - 2 - i * 2))
    d+=(-draw "rectangle $x,3 $x,$((ky - 4))")
  done
  for row in 0 1 2 3; do
    for col in 0 1 2 3; do
      x=$((kx + col * dx)); y=$((ky + row * dy))
      fill='#FFFFFF'; [ "$col" = 3 ] && fill='#FF0000'
      [ "$col" = 3 ] && [ "$row" = 3 ] && fill='#FFFF00'
      d+=(-fill "$fill" -draw "rectangle $x,$y $((x + 1)),$((y + 1))")
    done
  done
  convert -size "${n}x${n}" xc:none +antialias "${d[@]}" "$out"
}

# calc256 OUT: the large drawing, smooth edges (the 48x48 image is scaled from it).
calc256() {
  local d=(-fill '#808080' -stroke '#202020' -strokewidth 6 -draw 'roundrectangle 34,6 222,250 22,22'
           -fill '#30E0E0' -stroke '#202020' -strokewidth 4 -draw 'roundrectangle 58,28 198,84 6,6'
           -stroke none -fill '#000080'
           -draw 'rectangle 112,42 124,70' -draw 'rectangle 136,42 148,70' -draw 'rectangle 160,42 172,70')
  local row col x y fill
  for row in 0 1 2 3; do
    for col in 0 1 2 3; do
      x=$((58 + col * 37)); y=$((104 + row * 36))
      fill='#F8F8F8'; [ "$col" = 3 ] && fill='#E02020'
      [ "$col" = 3 ] && [ "$row" = 3 ] && fill='#F0D000'
      d+=(-fill "$fill" -stroke '#202020' -strokewidth 3 -draw "roundrectangle $x,$y $((x + 29)),$((y + 28)) 4,4")
    done
  done
  convert -size 256x256 xc:none "${d[@]}" "$1"
}

# ico OUT IMAGE...: packs RGBA images into an icon file. An IMAGE is FILE:4 for a
# 16-colour image (standard palette, 1-bit mask) or FILE:32 for a 32-bit image
# with alpha (stored as PNG when 256 wide).
ico() {
  local out=$1; shift
  local args=()
  for image in "$@"; do
    local f=${image%:*} bits=${image##*:} size
    size=$(identify -format '%w' "$f")
    convert "$f" -depth 8 "rgba:$T/$(basename "$f").rgba"
    args+=("$T/$(basename "$f").rgba:$size:$bits:$f")
  done
  python3 - "$out" "${args[@]}" <<'PY'
import struct, sys
PAL = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),(192,192,192),
       (128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,0,255),(0,255,255),(255,255,255)]
def nearest(p):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(PAL[i], p)))
def rows_bottom_up(px, n):
    return [px[(n - 1 - y) * n:(n - y) * n] for y in range(n)]
def mask(px, n):
    stride = ((n + 31) // 32) * 4
    out = b''
    for row in rows_bottom_up(px, n):
        bits = bytearray(stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out
def bmp(px, n, bpp):
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, bpp, 0, 0, 0, 0, 16 if bpp == 4 else 0, 0)
    if bpp == 4:
        body = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PAL)
        stride = ((n * 4 + 31) // 32) * 4
        for row in rows_bottom_up(px, n):
            line = bytearray(stride)
            for x, p in enumerate(row):
                idx = nearest(p[:3]) if p[3] >= 128 else 0
                line[x // 2] |= idx << (4 if x % 2 == 0 else 0)
            body += bytes(line)
    else:
        body = b''.join(struct.pack('<BBBB', p[2], p[1], p[0], p[3]) for row in rows_bottom_up(px, n) for p in row)
    return header + body + mask(px, n)
images = []
for arg in sys.argv[2:]:
    raw, size, bits, src = arg.split(':', 3)
    n, bits = int(size), int(bits)
    data = open(raw, 'rb').read()
    px = [tuple(data[i:i + 4]) for i in range(0, len(data), 4)]
    blob = open(src, 'rb').read() if n >= 256 else bmp(px, n, bits)
    images.append((n, bits, blob))
out = struct.pack('<HHH', 0, 1, len(images))
offset = 6 + 16 * len(images)
for n, bits, blob in images:
    out += struct.pack('<BBBBHHII', n % 256, n % 256, 16 if bits == 4 else 0, 0, 1, bits, len(blob), offset)
    offset += len(blob)
out += b''.join(blob for _, _, blob in images)
open(sys.argv[1], 'wb').write(out)
PY
}

calc32 "$T/c32.png"
calc16 "$T/c16.png"
calc256 "$T/c256.png"
calcgrid "$T/c24.png" 24 3 20 18 5 10 4 3
calcgrid "$T/c20.png" 20 2 17 15 4 8 3 3
convert "$T/c256.png" -resize 48x48 "$T/c48.png"

# vex.ico: 16-colour 32x32 and 16x16, then 32-bit 48x48 and 256x256.
ico vex.ico "$T/c32.png:4" "$T/c16.png:4" "$T/c48.png:32" "$T/c256.png:32"
# tbar.ico: 16-colour 32x32, then 32-bit 16x16, 20x20, 24x24 and 32x32: the
# notification area asks for 16 pixels at 96 DPI and for 20, 24 or 32 at 120,
# 144 or 192 DPI.
ico tbar.ico "$T/c32.png:4" "$T/c16.png:32" "$T/c20.png:32" "$T/c24.png:32" "$T/c32.png:32"

# Show what was written: size and bits per pixel of every image.
python3 - vex.ico tbar.ico <<'PY'
import struct, sys
for name in sys.argv[1:]:
    data = open(name, 'rb').read()
    count = struct.unpack_from('<H', data, 4)[0]
    for i in range(count):
        w, h, colors, _, planes, bpp, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        kind = 'png' if data[offset:offset + 4] == b'\x89PNG' else 'bmp %d bpp' % struct.unpack_from('<H', data, offset + 14)[0]
        print(name, w or 256, h or 256, kind)
PY
