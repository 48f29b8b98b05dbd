#!/usr/bin/env bash
# pixkura-convert against python3-pil on a whole run: a 12-Mpixel JPEG photo
# to an 8-bit PNG. PIL opens the JPEG, reduces it to 256 colours with its fast
# octree and no dithering, and saves the PNG (default level). Each side runs
# as its own process, the two interleaved; medians of CPU time (user + system),
# wall time and peak resident memory, and the file sizes, with the ratios.
# The photos are made here with ImageMagick (fixed seed): a plasma, and the
# same plasma with grain; JPEG files named after them are measured too.
# Usage: bench/convert/compare_tool.sh RELEASE_BUILD_DIR [ROUNDS [PHOTO.jpg...]]
#        (needs bin/pixkura-convert and pixkura-jpeg.spi beside it,
#        python3-pil, imagemagick and pngcheck)
set -euo pipefail
build=${1:?usage: compare_tool.sh RELEASE_BUILD_DIR [ROUNDS]}
rounds=${2:-5}
shift $(($# < 2 ? $# : 2))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
photos=(plasma grain)
for extra in "$@"; do
  name=$(basename "$extra" .jpg)
  cp "$extra" "$work/$name.jpg"
  photos+=("$name")
done

convert -seed 1 -size 4000x3000 plasma:fractal -quality 90 "$work/plasma.jpg"
convert -seed 1 -size 4000x3000 plasma:fractal -attenuate 0.6 +noise Gaussian -quality 90 "$work/grain.jpg"

cat >"$work/pil_convert.py" <<'PY'
import sys
from PIL import Image
picture = Image.open(sys.argv[1])
picture = picture.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
picture.save(sys.argv[2])
PY

# One run: "cpu_seconds wall_seconds peak_kilobytes" on stdout.
measure() {
  /usr/bin/time -f "%U %S %e %M" -o "$work/time.txt" "$@" >/dev/null
  awk '{ printf "%.3f %.3f %d\n", $1 + $2, $3, $4 }' "$work/time.txt"
}

for photo in "${photos[@]}"; do
  : >"$work/ours.txt"
  : >"$work/pil.txt"
  for ((i = 0; i < rounds; ++i)); do
    measure "$build/bin/pixkura-convert" "$work/$photo.jpg" "$work/ours.png" >>"$work/ours.txt"
    measure /usr/bin/python3 "$work/pil_convert.py" "$work/$photo.jpg" "$work/pil.png" >>"$work/pil.txt"
  done
  pngcheck -q "$work/ours.png"
  /usr/bin/python3 - "$photo" "$work/ours.txt" "$work/pil.txt" "$work/ours.png" "$work/pil.png" <<'PY'
import os, statistics, sys
photo, ours_txt, pil_txt, ours_png, pil_png = sys.argv[1:]
def medians(path):
    rows = [list(map(float, line.split())) for line in open(path)]
    return [statistics.median(column) for column in zip(*rows)]
ours, pil = medians(ours_txt), medians(pil_txt)
ours_bytes, pil_bytes = os.path.getsize(ours_png), os.path.getsize(pil_png)
print(f"{photo}.jpg -> 8-bit PNG, medians of {len(open(ours_txt).readlines())} runs each")
print(f"  {'':16} {'cpu s':>8} {'wall s':>8} {'peak MB':>8} {'PNG bytes':>10}")
print(f"  {'pixkura-convert':16} {ours[0]:8.3f} {ours[1]:8.3f} {ours[2] / 1024:8.1f} {ours_bytes:10d}")
print(f"  {'PIL':16} {pil[0]:8.3f} {pil[1]:8.3f} {pil[2] / 1024:8.1f} {pil_bytes:10d}")
print(f"  {'ours / PIL':16} {ours[0] / pil[0]:8.2f} {ours[1] / pil[1]:8.2f} {ours[2] / pil[2]:8.2f} "
      f"{ours_bytes / pil_bytes:10.3f}")
PY
done
