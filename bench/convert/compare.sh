#!/usr/bin/env bash
# Measures the "Low" 24 -> 8-bit reduction against python3-pil's fast octree
# quantiser and ImageMagick's colour reduction on the same 4096 x 4096 plasma
# picture, in one run, and prints the ratios.
# Usage: bench/convert/compare.sh [RELEASE_BUILD_DIR]   (needs bin/bench_convert)
set -euo pipefail
build=${1:-/work/build-convert-rel}
work=${TMPDIR:-/tmp}/pixkura-convert-bench
mkdir -p "$work"
bmp=$work/plasma.bmp
rgb=$work/plasma.rgb
if [[ ! -f $bmp || ! -f $rgb ]]; then
  echo "making $bmp"
  convert -seed 1 -size 4096x4096 plasma:fractal -type TrueColor "bmp3:$bmp"
  convert "$bmp" -depth 8 "rgb:$rgb"
fi

PIXKURA_BENCH_RGB=$rgb PIXKURA_BENCH_SIZE=4096x4096 "$build/bin/bench_convert" \
  --benchmark_filter='BM_TrueColorTo8BitLow' --benchmark_repetitions=7 \
  --benchmark_report_aggregates_only=true --benchmark_format=json >"$work/ours.json"

/usr/bin/python3 - "$work" "$bmp" <<'PY'
import json, statistics, subprocess, sys, time
from PIL import Image

work, bmp = sys.argv[1], sys.argv[2]
pixels = 4096 * 4096

ours = {b["aggregate_name"]: b for b in json.load(open(f"{work}/ours.json"))["benchmarks"]
        if b.get("run_type") == "aggregate"}
ours_s = ours["median"]["real_time"] / 1e3  # milliseconds
ours_cpu_s = ours["median"]["cpu_time"] / 1e3

def median_time(fn, runs):
    times = []
    for _ in range(runs):
        t = time.perf_counter()
        fn()
        times.append(time.perf_counter() - t)
    return statistics.median(times)

img = Image.open(bmp).convert("RGB")
img.load()
pil_s = median_time(lambda: img.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE), 7)

def run(*args):
    subprocess.run(args, check=True)

im_s = median_time(lambda: run("convert", bmp, "+dither", "-colors", "256", f"bmp3:{work}/im.bmp"), 3)
im_io_s = median_time(lambda: run("convert", bmp, f"bmp3:{work}/im24.bmp"), 3)

print(f"Pixkura Low 24->8 : {ours_s*1e3:8.1f} ms  {pixels/ours_s/1e6:7.1f} Mpixel/s "
      f"(cpu {ours_cpu_s*1e3:.1f} ms, {pixels/ours_cpu_s/1e6:.1f} Mpixel/s)")
print(f"PIL FASTOCTREE    : {pil_s*1e3:8.1f} ms  {pixels/pil_s/1e6:7.1f} Mpixel/s")
print(f"ImageMagick -colors 256 +dither (whole command): {im_s*1e3:8.1f} ms; "
      f"read+write alone {im_io_s*1e3:.1f} ms")
print(f"ratio PIL / Pixkura                : {pil_s/ours_s:6.2f} x")
print(f"ratio ImageMagick / Pixkura        : {im_s/ours_s:6.2f} x")
print(f"ratio ImageMagick (minus I/O) / Pixkura : {(im_s-im_io_s)/ours_s:6.2f} x")
PY
