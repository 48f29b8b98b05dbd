#!/usr/bin/python3
"""The python3-pil side of compare.sh.

    compare_pil.py make DIR          writes the pictures both sides use
    compare_pil.py report DIR JSON   times PIL on them and prints the ratios
                                     against the benchmark's JSON output
"""
import io
import json
import os
import random
import statistics
import sys
import time

from PIL import Image

SHEETS = ("photo", "blocks", "noise")


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


# CPU time of this process on both sides: on a shared machine wall-clock
# time mostly measures the other processes.
def median_seconds(action, runs):
    times = []
    for _ in range(runs):
        start = time.process_time()
        action()
        times.append(time.process_time() - start)
    return statistics.median(times)


def pil_figures(folder):
    figures = {}
    for bits in (24, 8):
        with open(os.path.join(folder, f"big{bits}.bmp"), "rb") as f:
            data = f.read()
        seconds = median_seconds(lambda: Image.open(io.BytesIO(data)).load(), 7)
        figures[f"BM_LoadFromStream/{bits}"] = (seconds * 1e3, len(data) / seconds / 1e9)
    for content in SHEETS:
        sheet = Image.open(os.path.join(folder, f"sheet_{content}.bmp"))
        sheet.load()
        out = io.BytesIO()
        seconds = median_seconds(lambda: sheet.save(out, "PNG", compress_level=9), 15)
        figures[f"BM_EncodePNG/{content}"] = (seconds * 1e3, None)
    return figures


def report(folder, json_file):
    with open(json_file) as f:
        ours = {}
        for b in json.load(f)["benchmarks"]:
            if b.get("aggregate_name") == "median":
                name = b["run_name"].split("/real_time")[0]
                # bytes_per_second is reckoned on real time; rescale it to CPU time.
                rate = b.get("bytes_per_second")
                ours[name] = (b["cpu_time"], rate * b["real_time"] / b["cpu_time"] if rate else None)
    pil = pil_figures(folder)
    print("median CPU time per call")
    print(f"{'benchmark':28} {'ours ms':>9} {'PIL ms':>9} {'ours/PIL time':>14} {'ours GB/s':>10} {'PIL GB/s':>9}")
    for name, (pil_ms, pil_rate) in pil.items():
        our_ms, our_rate = ours[name]
        rates = f"{our_rate / 1e9:10.2f} {pil_rate:9.2f}" if pil_rate else ""
        print(f"{name:28} {our_ms:9.3f} {pil_ms:9.3f} {our_ms / pil_ms:14.2f} {rates}")


if __name__ == "__main__":
    if sys.argv[1] == "make":
        make(sys.argv[2])
    else:
        report(sys.argv[2], sys.argv[3])
