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
import json, resource, statistics, subprocess, sys, time
from PIL import Image

work, bmp = sys.argv[1], sys.argv[2]
pixels = 4096 * 4096

ours = {b["aggregate_name"]: b for b in json.load(open(f"{work}/ours.json"))["benchmarks"]
        if b.get("run_type") == "aggregate"}
ours_s = ours["median"]["real_time"] / 1e3  # milliseconds
ours_cpu_s = ours["median"]["cpu_time"] / 1e3

# Wall-clock and CPU seconds, medians of several runs. On a shared machine the
# CPU figures are the fair comparison: every tool here runs on one thread.
def median_times(fn, runs):
    wall, cpu = [], []
    for _ in range(runs):
        w, c = time.perf_counter(), cpu_now()
        fn()
        wall.append(time.perf_counter() - w)
        cpu.append(cpu_now() - c)
    return statistics.median(wall), statistics.median(cpu)

def cpu_now():
    own = resource.getrusage(resource.RUSAGE_SELF)
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    return own.ru_utime + own.ru_stime + children.ru_utime + children.ru_stime

img = Image.open(bmp).convert("RGB")
img.load()
pil_s, pil_cpu_s = median_times(
    lambda: img.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE), 7)

def run(*args):
    subprocess.run(args, check=True)

im_s, im_cpu_s = median_times(lambda: run("convert", bmp, "+dither", "-colors", "256", f"bmp3:{work}/im.bmp"), 3)
im_io_s, im_io_cpu_s = median_times(lambda: run("convert", bmp, f"bmp3:{work}/im24.bmp"), 3)

def line(name, wall, cpu):
    print(f"{name:<34}: wall {wall*1e3:8.1f} ms {pixels/wall/1e6:7.1f} Mpixel/s | "
          f"cpu {cpu*1e3:8.1f} ms {pixels/cpu/1e6:7.1f} Mpixel/s")

line("Pixkura Low 24->8", ours_s, ours_cpu_s)
line("PIL quantize FASTOCTREE", pil_s, pil_cpu_s)
line("ImageMagick +dither -colors 256", im_s, im_cpu_s)
line("ImageMagick read+write alone", im_io_s, im_io_cpu_s)
print(f"ratio PIL / Pixkura                     : wall {pil_s/ours_s:7.2f} x | cpu {pil_cpu_s/ours_cpu_s:7.2f} x")
print(f"ratio ImageMagick / Pixkura             : wall {im_s/ours_s:7.2f} x | cpu {im_cpu_s/ours_cpu_s:7.2f} x")
print(f"ratio ImageMagick minus I/O / Pixkura   : wall {(im_s-im_io_s)/ours_s:7.2f} x | "
      f"cpu {(im_cpu_s-im_io_cpu_s)/ours_cpu_s:7.2f} x")
PY
