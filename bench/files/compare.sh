#!/usr/bin/env bash
# Times the BMP reader and the PNG writer against python3-pil on the same
# pictures in one run and prints the ratios (time and, for PNG, file size).
# It also writes the 12-Mpixel picture through pixkura-convert and checks the
# PNG with pngcheck and PIL (same palette, same indices).
# Usage: bench/files/compare.sh RELEASE_BUILD_DIR   (built with bench_files
#        and pixkura-convert; needs python3-pil, imagemagick and pngcheck)
set -euo pipefail
build=${1:?usage: compare.sh RELEASE_BUILD_DIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
/usr/bin/python3 "$here/compare_pil.py" make "$data"
PIXKURA_BENCH_DATA=$data "$build/bin/bench_files" --benchmark_repetitions=7 \
  --benchmark_report_aggregates_only=true --benchmark_format=json > "$data/ours.json"
/usr/bin/python3 "$here/compare_pil.py" report "$data" "$data/ours.json"

"$build/bin/pixkura-convert" "$data/picture12m.bmp" "$data/picture12m.png"
pngcheck -q "$data/picture12m.png"
/usr/bin/python3 - "$data/picture12m.bmp" "$data/picture12m.png" <<'PY'
import sys
from PIL import Image
bmp, png = Image.open(sys.argv[1]), Image.open(sys.argv[2])
colours = len(bmp.getpalette()) // 3
same = (png.mode == "P" and png.size == bmp.size and png.tobytes() == bmp.tobytes()
        and png.getpalette()[:3 * colours] == bmp.getpalette())
print("picture12m.png read back by PIL:", "same palette and indices" if same else "DIFFERENT")
sys.exit(0 if same else 1)
PY
