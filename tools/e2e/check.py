#!/usr/bin/python3
"""Checks of the end-to-end run: pixels of a screenshot, of a saved PNG, and
keys of the settings file. Exits 1 with a message when a check fails."""
import sys

from PIL import Image


def fail(message):
    print("check failed: " + message, file=sys.stderr)
    sys.exit(1)


def rgb(text):
    """A colour written as R,G,B."""
    return tuple(int(v) for v in text.split(","))


def screen(path, left, top, width, height, colour):
    """Every pixel of the screen rectangle has the colour."""
    image = Image.open(path).convert("RGB")
    for y in range(top, top + height):
        for x in range(left, left + width):
            pixel = image.getpixel((x, y))
            if pixel != colour:
                fail(f"{path}: screen pixel ({x}, {y}) is {pixel}, expected {colour}")


def png(path, left, top, width, height, index, colour):
    """An 8-bit palette PNG of 256 x 256 whose rectangle holds index, whose palette gives it the colour."""
    image = Image.open(path)
    if image.format != "PNG" or image.mode != "P" or image.size != (256, 256):
        fail(f"{path}: {image.format} {image.mode} {image.size}, expected a 256 x 256 palette PNG")
    palette = image.getpalette()
    if tuple(palette[3 * index:3 * index + 3]) != colour:
        fail(f"{path}: palette entry {index} is {palette[3 * index:3 * index + 3]}, expected {colour}")
    for y in range(top, top + height):
        for x in range(left, left + width):
            if image.getpixel((x, y)) != index:
                fail(f"{path}: pixel ({x}, {y}) is index {image.getpixel((x, y))}, expected {index}")


def pal(path, index, colour):
    """The palette file: 256 entries of red, green, blue, 0; entry index has the colour."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != 1024:
        fail(f"{path}: {len(data)} bytes, expected 1024")
    if tuple(data[4 * index:4 * index + 4]) != colour + (0,):
        fail(f"{path}: entry {index} is {tuple(data[4 * index:4 * index + 4])}, expected {colour + (0,)}")


def picture(path, colour_of):
    """Writes a 256 x 256 palette PNG, all index 0, whose palette entry i is colour_of(i)."""
    image = Image.new("P", (256, 256), 0)
    image.putpalette([c for i in range(256) for c in colour_of(i)])
    image.save(path)


def ini(path, *pairs):
    """The settings file in code page 932: section Pixkura with 25 keys, and key=value for each pair."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp932").split("\r\n")
    if lines[0] != "[Pixkura]" or len([l for l in lines[1:] if l]) != 25:
        fail(f"{path}: expected [Pixkura] with 25 keys, got {lines}")
    for pair in pairs:
        if pair not in lines:
            fail(f"{path}: no line {pair!r} in {lines}")


def main():
    kind, args = sys.argv[1], sys.argv[2:]
    if kind == "screen":
        screen(args[0], *map(int, args[1:5]), rgb(args[5]))
    elif kind == "png":
        png(args[0], *map(int, args[1:6]), rgb(args[6]))
    elif kind == "pal":
        pal(args[0], int(args[1]), rgb(args[2]))
    elif kind == "make-picture":
        # Palette entry i: red i, green 255 - i, blue 128.
        picture(args[0], lambda i: (i, 255 - i, 128))
    elif kind == "ini":
        ini(args[0], *args[1:])
    else:
        fail("unknown check " + kind)


if __name__ == "__main__":
    main()
