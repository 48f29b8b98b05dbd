#!/usr/bin/python3
"""The python3-pil side of compare.sh.

    compare_pil.py make DIR          writes the pictures both sides use
    compare_pil.py report DIR JSON   times PIL on them and prints the ratios
                                     against the benchmark's JSON output

PNG files are compared with PIL's save at its default level (what a plain
save does) and at compress_level 9, in time and in file size.
"""
import io
import json
import os
import random
import statistics
import subprocess
import sys
import time

from PIL import Image

SHEETS = ("photo", "blocks", "noise")
PICTURES = SHEETS + ("picture12m",)


def make_picture12m(folder):
    # A photo-like 4000 x 3000 plasma (fixed seed) reduced to 256 colours.
    ppm = subprocess.run(["convert", "-seed", "1", "-size", "4000x3000", "plasma:fractal", "ppm:-"],
                         check=True, capture_output=True).stdout
    photo = Image.open(io.BytesIO(ppm)).convert("RGB")
    picture = photo.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    picture.save(os.path.join(folder, "picture12m.bmp"))


def make(folder):
    rng = random.Random(5)
    big = 4096
    Image.frombytes("RGB", (big, big), rng.randbytes(big * big * 3)).save(os.path.join(folder, "big24.bmp"))
    big8 = Image.frombytes("P", (big, big), rng.randbytes(big * big))
    big8.putpalette(rng.randbytes(768))
    big8.save(os.path.join(folder, "big8.bmp"))
    palette = [c for i in range(256) for c in (i, (i * 3) & 255, 255 - i)]
    for content in SHEETS:
        pixels = []
        for y in range(256):
            for x in range(256):
                if content == "photo":
                    v = (x + y) // 2 + rng.randrange(5) - 2
                elif content == "blocks":
                    v = ((x // 8) * 37 + (y // 8) * 101) & 255
                else:
                    v = rng.randrange(256)
                pixels.append(min(max(v, 0), 255))
        sheet = Image.frombytes("P", (256, 256), bytes(pixels))
        sheet.putpalette(palette)
        sheet.save(os.path.join(folder, f"sheet_{content}.bmp"))
    make_picture12m(folder)


# CPU time of this process on both sides: on a shared machine wall-clock
# time mostly measures the other processes.
def median_seconds(action, runs):
    times = []
    for _ in range(runs):
        start = time.process_time()
        action()
        times.append(time.process_time() - start)
    return statistics.median(times)


def picture_file(folder, content):
    return os.path.join(folder, "picture12m.bmp" if content == "picture12m" else f"sheet_{content}.bmp")


def pil_save(picture, **options):
    out = io.BytesIO()
    picture.save(out, "PNG", **options)
    return len(out.getvalue())


def pil_load_figures(folder):
    figures = {}
    for bits in (24, 8):
        with open(os.path.join(folder, f"big{bits}.bmp"), "rb") as f:
            data = f.read()
        seconds = median_seconds(lambda: Image.open(io.BytesIO(data)).load(), 7)
        figures[f"BM_LoadFromStream/{bits}"] = (seconds * 1e3, len(data) / seconds / 1e9)
    return figures


def pil_png_figures(folder):
    """(ms, bytes) of PIL's default save and of compress_level 9, per picture."""
    figures = {}
    for content in PICTURES:
        picture = Image.open(picture_file(folder, content))
        picture.load()
        runs = 3 if content == "picture12m" else 15
        default = (median_seconds(lambda: pil_save(picture), runs) * 1e3, pil_save(picture))
        level9 = (median_seconds(lambda: pil_save(picture, compress_level=9), runs) * 1e3,
                  pil_save(picture, compress_level=9))
        figures[f"BM_EncodePNG/{content}"] = (default, level9)
    return figures


def report(folder, json_file):
    with open(json_file) as f:
        ours = {}
        for b in json.load(f)["benchmarks"]:
            if b.get("aggregate_name") == "median":
                name = b["run_name"].split("/real_time")[0]
                # bytes_per_second is reckoned on real time; rescale it to CPU time.
                rate = b.get("bytes_per_second")
                ours[name] = (b["cpu_time"], rate * b["real_time"] / b["cpu_time"] if rate else None,
                              b.get("png_bytes"))
    print("median CPU time per call")
    print(f"{'benchmark':28} {'ours ms':>9} {'PIL ms':>9} {'ours/PIL time':>14} {'ours GB/s':>10} {'PIL GB/s':>9}")
    for name, (pil_ms, pil_rate) in pil_load_figures(folder).items():
        our_ms, our_rate, _ = ours[name]
        print(f"{name:28} {our_ms:9.3f} {pil_ms:9.3f} {our_ms / pil_ms:14.2f} "
              f"{our_rate / 1e9:10.2f} {pil_rate:9.2f}")
    print()
    print("PNG writing: ours against PIL's save at its default level and at compress_level 9")
    print(f"{'benchmark':26} {'ours ms':>9} {'PIL ms':>9} {'PIL9 ms':>9} {'t/PIL':>6} {'t/PIL9':>6} "
          f"{'ours B':>9} {'PIL B':>9} {'PIL9 B':>9} {'B/PIL':>6} {'B/PIL9':>6}")
    for name, ((pil_ms, pil_bytes), (pil9_ms, pil9_bytes)) in pil_png_figures(folder).items():
        our_ms, _, our_bytes = ours[name]
        print(f"{name:26} {our_ms:9.3f} {pil_ms:9.3f} {pil9_ms:9.3f} {our_ms / pil_ms:6.2f} "
              f"{our_ms / pil9_ms:6.2f} {our_bytes:9.0f} {pil_bytes:9d} {pil9_bytes:9d} "
              f"{our_bytes / pil_bytes:6.3f} {our_bytes / pil9_bytes:6.3f}")


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2])
    else:
        report(sys.argv[2], sys.argv[3])
