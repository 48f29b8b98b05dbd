#!/usr/bin/python3
"""Writes the BMP fixtures of the reader's tests and, beside each NAME.bmp,
NAME.txt: the pixels an independent decoder (PIL) reads from it.

NAME.txt: a comment line, then "WIDTH HEIGHT", then one line per picture row
from the top, each pixel as RRGGBB in hexadecimal.

Most files are put together here byte by byte, so that every header variant
is exactly the one meant; two come from ImageMagick's own BMP writer (RLE8 and
the OS/2 12-byte header) as files of an outside encoder.

Run with Debian's python3 (it has PIL) from any folder:
    /usr/bin/python3 tests/data/bmp/make_fixtures.py
"""
import io
import os
import struct
import subprocess
import tempfile

import PIL
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
W, H = 7, 5  # odd width: every depth has row padding


def palette(n):
    """n distinct colours as (r, g, b)."""
    return [((i * 37 + 11) % 256, (i * 91 + 3) % 256, (255 - i * 13) % 256) for i in range(n)]


def index_at(x, y, n):
    return (x * 3 + y * 5 + x * y) % n


def rows_bottom_up(height):
    return range(height - 1, -1, -1)


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def pack_indices(indices, bits):
    out = bytearray()
    per = 8 // bits
    for i in range(0, len(indices), per):
        byte = 0
        for j, v in enumerate(indices[i:i + per]):
            byte |= v << (8 - bits * (j + 1))
        out.append(byte)
    return bytes(out)


def bmp(info_header, table, pixels, masks=b""):
    off = 14 + len(info_header) + len(masks) + len(table)
    return struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off) + info_header + masks + table + pixels


def info_header(w, h, bits, compression=0, clr_used=0, size_image=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, compression, size_image, 2835, 2835, clr_used, 0)


def quads(colours):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in colours)


def indexed(bits, clr_used, top_down=False, n_used=None):
    """An uncompressed palette picture; clr_used is the header field."""
    n = n_used or (clr_used if clr_used else 1 << bits)
    colours = palette(n)
    order = range(H) if top_down else rows_bottom_up(H)
    pixels = b"".join(pad(pack_indices([index_at(x, y, n) for x in range(W)], bits)) for y in order)
    return bmp(info_header(W, -H if top_down else H, bits, 0, clr_used), quads(colours), pixels)


# The RLE fixtures keep to what every decoder agrees on: no deltas, no empty
# lines, literals of whole bytes. Deltas, odd RLE4 literals and the padding
# nibble of odd widths are covered by the unit tests.
def rle8():
    """Runs to the right edge, odd and even literals, ends of line, an end of picture."""
    colours = palette(256)
    w, h = 9, 4
    data = bytearray()
    data += bytes([9, 200, 0, 0])                          # bottom row: one run to the right edge
    data += bytes([2, 17, 0, 3, 5, 6, 7, 0, 4, 1, 0, 0])   # run, odd literal + pad, run
    data += bytes([0, 4, 9, 8, 7, 6, 5, 3, 0, 0])          # even literal, run
    data += bytes([3, 44, 6, 2, 0, 1])                     # top row, end of picture
    return bmp(info_header(w, h, 8, 1, 256, len(data)), quads(colours), bytes(data))


def rle4():
    """Odd width; an odd run, a literal padded to whole words, an end of picture."""
    colours = palette(16)
    w, h = 7, 3
    data = bytearray()
    data += bytes([7, 0x1E, 0, 0])                                # bottom row: 7 alternating pixels
    data += bytes([0, 6, 0x23, 0x45, 0x67, 0, 1, 0x80, 0, 0])     # literal of 6 (3 bytes + pad), run
    data += bytes([1, 0x90, 0, 4, 0xAB, 0xCD, 2, 0xEF, 0, 1])     # run, literal of 4, run, end
    return bmp(info_header(w, h, 4, 2, 16, len(data)), quads(colours), bytes(data))


def os2(bits):
    """A 12-byte header with a table of 2^bits three-byte entries."""
    n = 0 if bits == 24 else 1 << bits
    colours = palette(n)
    if bits == 24:
        pixels = b"".join(pad(b"".join(bytes([x * 30, y * 50, x * y * 7]) for x in range(W))) for y in rows_bottom_up(H))
    else:
        pixels = b"".join(pad(pack_indices([index_at(x, y, n) for x in range(W)], bits)) for y in rows_bottom_up(H))
    header = struct.pack("<IHHHH", 12, W, H, 1, bits)
    table = b"".join(struct.pack("<BBB", b, g, r) for r, g, b in colours)
    off = 14 + 12 + len(table)
    return struct.pack("<2sIHHI", b"BM", off + len(pixels), 0, 0, off) + header + table + pixels


def true_colour(bits, masks=None, top_down=False):
    """16 or 32 bits (bit fields when masks are given), or 24 bits."""
    def value(x, y):
        return (x * 4099 + y * 16411 + x * y * 613) & 0xFFFFFFFF

    rows = []
    for y in (range(H) if top_down else rows_bottom_up(H)):
        if bits == 24:
            row = b"".join(bytes([(x * 40) % 256, (y * 60) % 256, (x * y * 9) % 256]) for x in range(W))
        elif bits == 16:
            row = b"".join(struct.pack("<H", value(x, y) & 0xFFFF) for x in range(W))
        else:
            row = b"".join(struct.pack("<I", value(x, y) & 0x00FFFFFF) for x in range(W))
        rows.append(pad(row))
    mask_bytes = struct.pack("<III", *masks) if masks else b""
    header = info_header(W, -H if top_down else H, bits, 3 if masks else 0)
    return bmp(header, b"", b"".join(rows), mask_bytes)


def imagemagick(fmt, extra, width=W):
    """A palette picture written by ImageMagick's BMP encoder."""
    im = Image.new("P", (width, H))
    im.putpalette([c for rgb in palette(16) for c in rgb])
    im.putdata([index_at(x, y, 16) for y in range(H) for x in range(width)])
    with tempfile.TemporaryDirectory() as tmp:
        src, dst = os.path.join(tmp, "in.png"), os.path.join(tmp, "out.bmp")
        im.save(src)
        subprocess.run(["convert", src, *extra, f"{fmt}:{dst}"], check=True)
        with open(dst, "rb") as f:
            return f.read()


def padded_rows_rle4(width):
    """RLE4 coded the way ImageMagick codes RLE8 (its encoder writes RLE only
    at 8 bits): pixels as runs, and every row carries its padding as one more
    run, which passes the row's end."""
    colours = palette(16)
    stride = (width * 4 + 31) // 32 * 8  # pixels a stored row holds, padding included
    data = bytearray()
    for y in rows_bottom_up(H):
        row = [index_at(x, y, 16) for x in range(width)]
        for x in range(0, width, 2):
            pair = row[x:x + 2]
            data += bytes([len(pair), pair[0] << 4 | (pair[1] if len(pair) > 1 else 0)])
        data += bytes([stride - width, 0, 0, 0])
    data += bytes([0, 1])
    return bmp(info_header(width, H, 4, 2, 16, len(data)), quads(colours), bytes(data))


def expect_source_pixels(name, data, width):
    """The padded-row fixtures must decode to exactly the picture they were
    made from, the padding dropped; PIL is the independent witness of that."""
    im = Image.open(io.BytesIO(data)).convert("RGB")
    want = [palette(16)[index_at(x, y, 16)] for y in range(H) for x in range(width)]
    if list(im.getdata()) != want:
        raise SystemExit(f"{name}: PIL does not read the picture it was made from")


# PIL widens a 5- or 6-bit channel v to round(v * 255 / max); the bitmap
# reader stores it as v shifted up with zero low bits. Both are the same v.
def shifted_channel(value, bits):
    v = round(value * ((1 << bits) - 1) / 255)
    return v << (8 - bits)


FIXTURES = {
    "pal1": (lambda: indexed(1, 2), None),
    "pal1_clr0": (lambda: indexed(1, 0), None),
    "pal4": (lambda: indexed(4, 16), None),
    "pal4_clr0": (lambda: indexed(4, 0), None),
    "pal4_clr6": (lambda: indexed(4, 6), None),
    "pal8": (lambda: indexed(8, 256), None),
    "pal8_clr0": (lambda: indexed(8, 0), None),
    "pal8_clr40": (lambda: indexed(8, 40), None),
    "pal8_topdown": (lambda: indexed(8, 40, top_down=True), None),
    "rle8": (rle8, None),
    "rle8_imagemagick": (lambda: imagemagick("BMP3", ["-type", "Palette", "-compress", "RLE"], 8), None),
    # ImageMagick codes the padding of odd-width rows as pixels: the last run
    # of each row passes the row's end.
    **{f"rle8_imagemagick_w{w}": ((lambda w=w: imagemagick("BMP3", ["-type", "Palette", "-compress", "RLE"], w)),
                                  None) for w in (1, 3, 5, 127)},
    "rle4": (rle4, None),
    **{f"rle4_padded_w{w}": ((lambda w=w: padded_rows_rle4(w)), None) for w in (1, 3, 5, 127)},
    "os2_1": (lambda: os2(1), None),
    "os2_4": (lambda: os2(4), None),
    "os2_8": (lambda: os2(8), None),
    "os2_24": (lambda: os2(24), None),
    "os2_imagemagick": (lambda: imagemagick("BMP2", ["-type", "Palette"]), None),
    "rgb16_555": (lambda: true_colour(16), (5, 5, 5)),
    "bf16_555": (lambda: true_colour(16, (0x7C00, 0x03E0, 0x001F)), (5, 5, 5)),
    "bf16_565": (lambda: true_colour(16, (0xF800, 0x07E0, 0x001F)), (5, 6, 5)),
    "rgb24": (lambda: true_colour(24), None),
    "rgb24_topdown": (lambda: true_colour(24, top_down=True), None),
    "rgb32": (lambda: true_colour(32), None),
    "bf32": (lambda: true_colour(32, (0xFF0000, 0x00FF00, 0x0000FF)), None),
}


def main():
    for name, (make, channel_bits) in FIXTURES.items():
        data = make()
        width = name.rpartition("_w")[2]
        if name.startswith(("rle8_imagemagick_w", "rle4_padded_w")):
            expect_source_pixels(name, data, int(width))
        with open(os.path.join(HERE, name + ".bmp"), "wb") as f:
            f.write(data)
        im = Image.open(io.BytesIO(data))
        im.load()
        rgb = im.convert("RGB")
        w, h = rgb.size
        lines = [f"# {name}.bmp as PIL {PIL.__version__} reads it", f"{w} {h}"]
        for y in range(h):
            pixels = []
            for x in range(w):
                r, g, b = rgb.getpixel((x, y))
                if channel_bits:
                    r, g, b = (shifted_channel(c, n) for c, n in zip((r, g, b), channel_bits))
                pixels.append(f"{r:02X}{g:02X}{b:02X}")
            lines.append(" ".join(pixels))
        with open(os.path.join(HERE, name + ".txt"), "w") as f:
            f.write("\n".join(lines) + "\n")
        print(f"{name}: {w}x{h} {im.mode}")


if __name__ == "__main__":
    main()
