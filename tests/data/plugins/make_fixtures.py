#!/usr/bin/python3
"""Makes the plug-in test fixtures and, for each, the pixels an independent
reader (PIL) sees in it.

Run with Debian's /usr/bin/python3 (python3-pil) from this folder; ImageMagick's
convert-im6.q16 makes the files PIL cannot write. The outputs are committed.

Expected-data format (<fixture>.expected, little-endian):
  "PXEX", u32 width, u32 height, u32 depth (8: palette indices, 24: RGB),
  u32 palette entries, the palette as R, G, B bytes (in the file's order),
  then the rows top to bottom: one index byte per pixel, or R, G, B per pixel.
"""
import glob
import os
import random
import shutil
import struct
import subprocess
import zlib

from PIL import Image

IM = "/usr/bin/convert-im6.q16"
rng = random.Random(20261208)


def convert(*args):
    # No time stamps in PNG files, so that running the script again gives
    # the same bytes.
    extra = ["-define", "png:exclude-chunk=date,time"] if args[-1].endswith(".png") else []
    subprocess.run([IM, *args[:-1], *extra, args[-1]], check=True)


def write_expected(name, width, height, depth, palette, pixels):
    with open(name + ".expected", "wb") as f:
        f.write(b"PXEX" + struct.pack("<4I", width, height, depth, len(palette)))
        for r, g, b in palette:
            f.write(bytes((r, g, b)))
        f.write(bytes(pixels))


def expect_rgb(name, image=None):
    """Expected pixels of a true-colour picture: what PIL reads, as RGB
    (alpha dropped, grey repeated in all three channels)."""
    im = image if image is not None else Image.open(name)
    if im.mode in ("I;16", "I;16B", "I"):
        # 16-bit grey: the high byte of each sample.
        grey = [v >> 8 for v in im.getdata()]
        rgb = [c for v in grey for c in (v, v, v)]
    else:
        rgb = [c for px in im.convert("RGB").getdata() for c in px]
    write_expected(name, im.width, im.height, 24, [], rgb)


def png_palette(name):
    """The PLTE chunk, entry by entry, as stored."""
    data = open(name, "rb").read()
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"PLTE":
            body = data[pos + 8:pos + 8 + length]
            return [tuple(body[i:i + 3]) for i in range(0, length, 3)]
        pos += 12 + length
    raise ValueError("no PLTE in " + name)


def gif_palette(name):
    """The first image's colour table (local when present, else global)."""
    data = open(name, "rb").read()
    flags = data[10]
    pos = 13
    table = []
    if flags & 0x80:
        n = 2 << (flags & 7)
        table = [tuple(data[pos + 3 * i:pos + 3 * i + 3]) for i in range(n)]
        pos += 3 * n
    while data[pos] == 0x21:  # extensions: skip their sub-blocks
        pos += 2
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    assert data[pos] == 0x2C
    lflags = data[pos + 9]
    if lflags & 0x80:
        n = 2 << (lflags & 7)
        start = pos + 10
        table = [tuple(data[start + 3 * i:start + 3 * i + 3]) for i in range(n)]
    return table


def expect_indexed(name, palette):
    im = Image.open(name)
    assert im.mode in ("P", "L", "1"), (name, im.mode)
    write_expected(name, im.width, im.height, 8, palette, list(im.getdata()))


def shuffled_palette(count):
    """Distinct colours in an order far from sorted, so that a decoder that
    re-quantises or sorts the palette is caught."""
    colours = set()
    while len(colours) < count:
        colours.add((rng.randrange(256), rng.randrange(256), rng.randrange(256)))
    colours = list(colours)
    rng.shuffle(colours)
    if colours == sorted(colours):
        colours.reverse()
    return colours


def indexed_image(width, height, palette):
    im = Image.new("P", (width, height))
    im.putpalette([c for rgb in palette for c in rgb])
    im.putdata([(x * 7 + y * 13 + x * y) % len(palette) for y in range(height) for x in range(width)])
    return im


def rgb_image(width, height):
    im = Image.new("RGB", (width, height))
    im.putdata([((x * 255) // max(width - 1, 1), (y * 255) // max(height - 1, 1), (x * y * 5) % 256)
                for y in range(height) for x in range(width)])
    return im


def write_png_chunks(name, width, height, depth, colour_type, chunks):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
    data += b"".join(chunk(kind, body) for kind, body in chunks) + chunk(b"IEND", b"")
    open(name, "wb").write(data)


# PNG -------------------------------------------------------------------------
def make_png():
    for bits, count, name in ((8, 200, "png_idx8.png"), (4, 11, "png_idx4.png"), (2, 3, "png_idx2.png")):
        pal = shuffled_palette(count)
        indexed_image(37, 23, pal).save(name, bits=bits, optimize=False)
        expect_indexed(name, png_palette(name))
    # 1 bit, palette white then black (the reverse of sorted order).
    im = indexed_image(19, 9, [(255, 255, 255), (0, 0, 0)])
    im.save("png_idx1.png", bits=1, optimize=False)
    expect_indexed("png_idx1.png", png_palette("png_idx1.png"))

    rgb_image(29, 17).save("png_rgb.png")
    expect_rgb("png_rgb.png")
    rgba = rgb_image(13, 11).convert("RGBA")
    rgba.putalpha(Image.linear_gradient("L").resize((13, 11)))
    rgba.save("png_rgba.png")
    expect_rgb("png_rgba.png")
    rgb_image(6, 4).save("png_dpi.png", dpi=(300, 150))
    expect_rgb("png_dpi.png")
    rgb_image(21, 15).convert("L").save("png_grey.png")
    expect_rgb("png_grey.png")
    convert("-size", "17x9", "gradient:black-white", "-depth", "2", "PNG8:png_grey2.png")
    convert("-size", "17x9", "gradient:gray20-white", "-colorspace", "Gray", "-depth", "2", "png_grey2.png")
    expect_rgb("png_grey2.png")
    convert("-size", "23x13", "gradient:red-blue", "-depth", "16", "png_rgb16.png")
    expect_rgb("png_rgb16.png")
    convert("-size", "11x7", "gradient:gray10-gray90", "-colorspace", "Gray", "-depth", "16", "png_grey16.png")
    expect_rgb("png_grey16.png")
    convert("png_rgb.png", "-interlace", "PNG", "png_interlaced.png")
    expect_rgb("png_interlaced.png")
    # Adam7 with a palette.
    pal = shuffled_palette(40)
    indexed_image(26, 19, pal).save("png_idx8_interlaced.tmp.png", optimize=False)
    convert("png_idx8_interlaced.tmp.png", "-interlace", "PNG", "PNG8:png_idx8_interlaced.png")
    expect_indexed("png_idx8_interlaced.png", png_palette("png_idx8_interlaced.png"))
    # Indices past the end of a 3-entry PLTE (libpng lets them through): the
    # plug-in's table grows with black entries up to the highest index used.
    w, h = 6, 2
    raw = b"".join(b"\0" + bytes((x + y) % 6 for x in range(w)) for y in range(h))
    plte = bytes((9, 8, 7, 60, 50, 40, 255, 0, 128))
    write_png_chunks("png_idx_past_plte.png", w, h, 8, 3, [(b"PLTE", plte), (b"IDAT", zlib.compress(raw))])
    expect_indexed("png_idx_past_plte.png", png_palette("png_idx_past_plte.png") + [(0, 0, 0)] * 3)
    # 100 bytes or less: for the zero-padded-buffer case.
    indexed_image(4, 3, [(10, 20, 30), (200, 100, 0)]).save("png_tiny.png", bits=1, optimize=False)
    expect_indexed("png_tiny.png", png_palette("png_tiny.png"))


# GIF -------------------------------------------------------------------------
def make_gif():
    pal = shuffled_palette(8)
    indexed_image(33, 21, pal).save("gif_basic.gif", optimize=False, interlace=False)
    expect_indexed("gif_basic.gif", gif_palette("gif_basic.gif"))
    pal = shuffled_palette(64)
    indexed_image(27, 35, pal).save("gif_interlaced.gif", optimize=False, interlace=True)
    expect_indexed("gif_interlaced.gif", gif_palette("gif_interlaced.gif"))
    # Two frames: the first one is the picture.
    pal = shuffled_palette(16)
    first = indexed_image(15, 10, pal)
    second = indexed_image(15, 10, pal).transpose(Image.FLIP_LEFT_RIGHT)
    first.save("gif_anim.gif", save_all=True, append_images=[second], optimize=False, interlace=False)
    expect_indexed("gif_anim.gif", gif_palette("gif_anim.gif"))
    indexed_image(3, 2, [(1, 2, 3), (250, 0, 9)]).save("gif_tiny.gif", optimize=False, interlace=False)
    expect_indexed("gif_tiny.gif", gif_palette("gif_tiny.gif"))


# JPEG ------------------------------------------------------------------------
def make_jpeg():
    rgb_image(35, 21).save("jpeg_rgb.jpg", quality=90)
    expect_rgb("jpeg_rgb.jpg")
    rgb_image(24, 16).save("jpeg_444.jpg", quality=95, subsampling=0, dpi=(300, 150))
    expect_rgb("jpeg_444.jpg")
    rgb_image(19, 13).convert("L").save("jpeg_grey.jpg", quality=85)
    expect_rgb("jpeg_grey.jpg")
    rgb_image(40, 24).save("jpeg_progressive.jpg", quality=80, progressive=True)
    expect_rgb("jpeg_progressive.jpg")
    # CMYK (Adobe, inverted samples). PIL's CMYK to RGB rule is a crude
    # subtraction, so ImageMagick's multiplicative conversion is the oracle here.
    convert("-size", "16x16", "gradient:#3366cc-#ffcc00", "-colorspace", "CMYK", "-quality", "95", "jpeg_cmyk.jpg")
    rgb = subprocess.run([IM, "jpeg_cmyk.jpg", "-colorspace", "sRGB", "-depth", "8", "rgb:-"], check=True,
                         capture_output=True).stdout
    write_expected("jpeg_cmyk.jpg", 16, 16, 24, [], rgb)


# Others: BMP with extended headers, TGA, PNM --------------------------------
def bmp_bytes(header_size, width, height, bits, palette, rows, compression=0, masks=None):
    """A BMP with an info header of header_size bytes (fields past 40 zero
    except the masks). rows: top to bottom, already packed without padding."""
    stride = (width * bits + 31) // 32 * 4
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    pixels = b"".join(row.ljust(stride, b"\0") for row in reversed(rows))
    info = struct.pack("<IiiHHIIiiII", header_size, width, height, 1, bits, compression, len(pixels),
                       2835, 5669, len(palette), 0)
    extra = bytearray(header_size - 40)
    if masks:
        extra[:len(masks) * 4] = struct.pack("<%dI" % len(masks), *masks)
    offset = 14 + header_size + len(table)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + bytes(extra) + table + pixels


def bmp_palette(name):
    """The colour table of a BMP with a 40-byte or longer info header."""
    data = open(name, "rb").read()
    header_size, bits, used = struct.unpack("<I", data[14:18])[0], data[28], struct.unpack("<I", data[46:50])[0]
    count = used or (1 << bits)
    start = 14 + header_size
    return [(data[start + 4 * i + 2], data[start + 4 * i + 1], data[start + 4 * i]) for i in range(count)]


def rle4_rows(rows):
    """BMP RLE4 codes for rows of 4-bit indices (bottom row first): runs for
    repeated pixels, literals otherwise, end of line, end of picture."""
    out = bytearray()
    for row in rows:
        i = 0
        while i < len(row):
            same = 1
            while i + same < len(row) and row[i + same] == row[i] and same < 255:
                same += 1
            if same >= 3:
                out += bytes((same, row[i] << 4 | row[i]))
                i += same
                continue
            chunk = row[i:i + 9]
            if len(chunk) < 3:  # a run of alternating nibbles codes one or two pixels
                out += bytes((len(chunk), chunk[0] << 4 | (chunk[1] if len(chunk) > 1 else 0)))
            else:
                packed = bytes((chunk[j] << 4) | (chunk[j + 1] if j + 1 < len(chunk) else 0)
                               for j in range(0, len(chunk), 2))
                out += bytes((0, len(chunk))) + packed + (b"\0" if len(packed) % 2 else b"")
            i += len(chunk)
        out += b"\0\0"
    return bytes(out[:-2]) + b"\0\1"


def make_misc():
    # 8-bit, 108-byte header, palette in a scrambled order.
    pal = shuffled_palette(23)
    w, h = 13, 7
    idx = [[(x * 3 + y * 5) % len(pal) for x in range(w)] for y in range(h)]
    open("bmp_v4_idx8.bmp", "wb").write(bmp_bytes(108, w, h, 8, pal, [bytes(r) for r in idx]))
    expect_indexed("bmp_v4_idx8.bmp", pal)
    # 4-bit, 124-byte header.
    pal = shuffled_palette(16)
    w, h = 9, 5
    idx = [[(x + 2 * y) % 16 for x in range(w)] for y in range(h)]
    packed = [bytes((r[i] << 4) | (r[i + 1] if i + 1 < w else 0) for i in range(0, w, 2)) for r in idx]
    open("bmp_v5_idx4.bmp", "wb").write(bmp_bytes(124, w, h, 4, pal, packed))
    expect_indexed("bmp_v5_idx4.bmp", pal)
    # Run-length encoded: RLE8 as ImageMagick writes it (124-byte header),
    # RLE4 through the encoder above (108-byte header).
    indexed_image(21, 9, shuffled_palette(30)).save("bmp_rle8.tmp.png", optimize=False)
    convert("bmp_rle8.tmp.png", "-compress", "RLE", "BMP:bmp_v5_rle8.bmp")
    expect_indexed("bmp_v5_rle8.bmp", bmp_palette("bmp_v5_rle8.bmp"))
    pal = shuffled_palette(16)
    w, h = 13, 7
    idx = [[(x // 4 + y) % 16 if y % 3 else (x * 5 + y) % 16 for x in range(w)] for y in range(h)]
    codes = rle4_rows(list(reversed(idx)))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    info = struct.pack("<IiiHHIIiiII", 108, w, h, 1, 4, 2, len(codes), 0, 0, len(pal), 0) + bytes(68)
    offset = 14 + 108 + len(table)
    with open("bmp_v4_rle4.bmp", "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", offset + len(codes), 0, 0, offset) + info + table + codes)
    # PIL 9.4 misplaces rows of this file (its RLE4 literals go wrong), so the
    # expected pixels are the indices encoded above.
    write_expected("bmp_v4_rle4.bmp", w, h, 8, pal, [i for row in idx for i in row])
    # 16-bit 5-6-5 bit fields, 56-byte header.
    w, h = 6, 4
    rows = []
    for y in range(h):
        rows.append(b"".join(struct.pack("<H", ((x * 5) << 11) | ((y * 20) << 5) | (x * 6)) for x in range(w)))
    masks = (0xF800, 0x07E0, 0x001F, 0)
    open("bmp_v4_565.bmp", "wb").write(bmp_bytes(108, w, h, 16, [], rows, 3, masks))
    expect_rgb("bmp_v4_565.bmp")
    # The same pixels behind a 56-byte header, which PIL does not read: the
    # expected pixels are those of the 108-byte file.
    open("bmp_v3_565.bmp", "wb").write(bmp_bytes(56, w, h, 16, [], rows, 3, masks))
    shutil.copyfile("bmp_v4_565.bmp.expected", "bmp_v3_565.bmp.expected")
    # ImageMagick's own 24-bit and 32-bit-with-alpha files (124-byte headers).
    convert("-size", "7x5", "gradient:red-blue", "-type", "TrueColor", "bmp_v5_rgb24.bmp")
    expect_rgb("bmp_v5_rgb24.bmp")
    convert("-size", "5x3", "gradient:yellow-navy", "-alpha", "on", "-channel", "A", "-evaluate", "set", "60%",
            "+channel", "bmp_v5_argb32.bmp")
    expect_rgb("bmp_v5_argb32.bmp")

    rgb_image(12, 9).save("tga_rgb.tga")
    expect_rgb("tga_rgb.tga")
    rgb_image(31, 6).save("tga_rle.tga", compression="tga_rle")
    expect_rgb("tga_rle.tga")
    indexed_image(10, 6, shuffled_palette(12)).save("tga_idx8.tga")
    expect_rgb("tga_idx8.tga")
    rgb_image(11, 8).save("pnm_rgb.ppm")
    expect_rgb("pnm_rgb.ppm")
    rgb_image(9, 7).convert("L").save("pnm_grey.pgm")
    expect_rgb("pnm_grey.pgm")
    # Maximum values other than 255: samples are scaled to 0..255.
    w, h = 7, 3
    with open("pnm_max15.pgm", "wb") as f:
        f.write(b"P5\n# four-bit grey\n%d %d\n15\n" % (w, h) + bytes((x + 5 * y) % 16 for y in range(h) for x in range(w)))
    expect_rgb("pnm_max15.pgm")
    with open("pnm_max1000.ppm", "wb") as f:
        f.write(b"P6 %d %d 1000\n" % (w, h))
        f.write(b"".join(struct.pack(">H", (137 * (x + w * y) + 71 * c) % 1001)
                         for y in range(h) for x in range(w) for c in range(3)))
    expect_rgb("pnm_max1000.ppm")
    # 16-bit grey with samples above the maximum (they count as the maximum);
    # stb_image's PNM reader overflowed its buffer on such files.
    with open("pnm_grey16.pgm", "wb") as f:
        f.write(b"P5\n9 5\n527\n" + b"".join(struct.pack(">H", (61 * i) % 600) for i in range(45)))
    im = Image.open("pnm_grey16.pgm")  # mode I, scaled by PIL to 0..65535
    grey = [min(255, (v * 255 + 32767) // 65535) for v in im.getdata()]
    write_expected("pnm_grey16.pgm", im.width, im.height, 24, [], [c for v in grey for c in (v, v, v)])


if __name__ == "__main__":
    make_png()
    make_gif()
    make_jpeg()
    make_misc()
    for leftover in glob.glob("*.tmp.png"):
        os.remove(leftover)
