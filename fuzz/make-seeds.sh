#!/usr/bin/env bash
# Remakes the seed corpora under fuzz/corpus/ (run from anywhere, after the fuzz build):
#   fuzz/make-seeds.sh [build-fuzz folder]
# The station's own files come from fuzz_make_seeds (its writers: grey BMPs at every lines
# code, conf300.dat by SaveConfig, frames by WriteFrame); the other pictures from Pillow
# and ImageMagick, as an operator might bring them in; the calibration texts are typed
# here. Needs the system python3 with PIL (python3-pil) and ImageMagick's convert.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../build-fuzz}"
corpus="$here/corpus"
mkdir -p "$corpus"/{bmp_open,config,stream,calibration}

cmake --build "$build" --target fuzz_make_seeds
"$build/fuzz/fuzz_make_seeds" "$corpus"

bmp="$corpus/bmp_open"
# ImageMagick: 8-bit grey (palette) BMPs, odd widths, a colour one, RLE8 and 24-bit ones
# (the last two must be refused).
convert -size 101x57 gradient:black-white +dither -type Palette -compress None BMP3:"$bmp/magick-grey-101x57.bmp"
convert -size 3x1101 gradient:black-white -rotate 90 +dither -type Palette -compress None BMP3:"$bmp/magick-grey-1101x3.bmp"
convert -size 41x17 gradient:black-white +dither -type Palette -compress None BMP:"$bmp/magick-grey-v5-41x17.bmp"
convert -size 31x7 plasma:fractal -seed 7 +dither -colors 200 -type Palette -compress None BMP3:"$bmp/magick-palette-31x7.bmp"
convert -size 33x9 gradient:black-white +dither -type Palette -compress RLE BMP3:"$bmp/magick-rle8-33x9.bmp"
convert -size 13x5 gradient: -type TrueColor BMP3:"$bmp/magick-24bit-13x5.bmp"
cp "$here/../tests/files/data/"*.bmp "$bmp/"

/usr/bin/python3 - "$bmp" <<'PY'
import struct, sys
from PIL import Image
out = sys.argv[1]
def grey(w, h):
    im = Image.new("L", (w, h))
    im.putdata([(x * 7 + y * 3) & 255 for y in range(h) for x in range(w)])
    return im
# Pillow's 8-bit grey BMPs: the station's 400-line size, odd widths, one pixel, a wide and
# a tall picture beyond the store.
for w, h in [(550, 400), (37, 23), (1101, 3), (1, 1), (2605, 2), (3, 1700)]:
    grey(w, h).save(f"{out}/pillow-grey-{w}x{h}.bmp")
# A colour palette (not grey: the bytes stay as they are).
p = grey(29, 11).convert("P", palette=Image.ADAPTIVE, colors=64)
p.save(f"{out}/pillow-palette-29x11.bmp")
# Top-down: the same picture with a negative height and its rows in top-first order.
src = open(f"{out}/pillow-grey-37x23.bmp", "rb").read()
off = struct.unpack_from("<I", src, 10)[0]
w, h = struct.unpack_from("<ii", src, 18)
stride = (w + 3) // 4 * 4
rows = [src[off + r * stride: off + (r + 1) * stride] for r in range(h)]
top = bytearray(src[:off]) + b"".join(reversed(rows))
struct.pack_into("<i", top, 22, -h)
open(f"{out}/pillow-topdown-37x23.bmp", "wb").write(top)
PY

# conf300.dat: the station's saves (above) and the hand-made ones kept in the corpus.
# fuzz_config_run reads the same corpus.

# Calibration: a mode byte (even: the text as pasted into a box; odd: typed as keys), the
# measured distance, bar nanometres and bar pixels (two bytes each), then the text.
cal="$corpus/calibration"
n=0
seed() {  # mode, text
  n=$((n + 1))
  { printf "\\x$1"; printf '\x2c\x01\x05\x00\xf0\x00'; printf '%s' "$2"; } > "$cal/seed-$n"
}
for t in "1" "5" "2,5" "2.5" "12,75" "5E0" "1E3" "0,0001" " 120 " "100" "150" "200" "0" "" \
         "abc" "1,2,3" "-5" "1e-5" "nan" "inf" "0x10" "µm" "99999999999999999999"; do
  seed 00 "$t"
  seed 01 "$t"
done
seed 01 $'12\b\b,5'
seed 01 "1.5.5,"
