#!/usr/bin/env bash
# Makes the BMP fixtures of the printing tests in this folder. Run by hand
# (the tests never run it); needs ImageMagick, qrencode and python3-pil under
# /usr/bin/python3. Both ImageMagick and Pillow write palette entry 0 as black.
#
#   ticket_w9.bmp    9 × 3 monochrome (ImageMagick): stored rows of 4 bytes
#   ticket_w16.bmp  16 × 3 monochrome (ImageMagick): no pad dots
#   ticket_w10.bmp  10 × 3 monochrome (Pillow): six pad dots per row
#   qr148_mono.bmp  148 × 148 monochrome QR code (qrencode, then ImageMagick)
#   qr148_rgb24.bmp the same QR code in 24-bit colour (Pillow)
#   qr148.txt       the QR code's payload, without a line break
#
# The three tickets hold the same pattern, "1" a black dot, from the top row:
#   1000000001000001
#   0100000010100000
#   1111111111111111
# cut to each picture's width.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows=(1000000001000001 0100000010100000 1111111111111111)
pbm() { # width -> plain PBM text of the pattern cut to that width
    echo "P1"
    echo "$1 ${#rows[@]}"
    for row in "${rows[@]}"; do echo "${row:0:$1}" | sed 's/./& /g'; done
}
pbm 9 >"$work/w9.pbm"
pbm 16 >"$work/w16.pbm"
convert "$work/w9.pbm" -monochrome BMP3:ticket_w9.bmp
convert "$work/w16.pbm" -monochrome BMP3:ticket_w16.bmp

payload='NFC-e 3524 0112 3456 7800 0199 6500 1000'
printf '%s' "$payload" >qr148.txt
# Version 3 (29 modules) with a margin of 4 and 4 pixels per module: 148 pixels.
qrencode -v 3 -l M -s 4 -m 4 -o "$work/qr.png" "$payload"
convert "$work/qr.png" -monochrome BMP3:qr148_mono.bmp

/usr/bin/python3 - "${rows[@]}" <<'PY'
import sys
from PIL import Image

rows = sys.argv[1:]
ticket = Image.new("1", (10, len(rows)), 1)
for y, row in enumerate(rows):
    for x, dot in enumerate(row[:10]):
        ticket.putpixel((x, y), 0 if dot == "1" else 1)
ticket.save("ticket_w10.bmp")

qr = Image.open("qr148_mono.bmp").convert("RGB")
assert qr.size == (148, 148), qr.size
qr.save("qr148_rgb24.bmp")
PY
