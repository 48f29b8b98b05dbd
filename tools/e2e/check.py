#!/usr/bin/python3
"""Checks of the end-to-end run: pixels of a screenshot, of a saved PNG, and
keys of the settings file. Exits 1 with a message when a check fails."""
import sys

from PIL import Image


def fail(message):
    print("check failed: " + message, file=sys.stderr)
    sys.exit(1)


def screen(path, left, top, width, height, grey):
    """Every pixel of the screen rectangle is the grey (grey, grey, grey)."""
    image = Image.open(path).convert("RGB")
    for y in range(top, top + height):
        for x in range(left, left + width):
            pixel = image.getpixel((x, y))
            if pixel != (grey, grey, grey):
                fail(f"{path}: screen pixel ({x}, {y}) is {pixel}, expected grey {grey}")


def png(path, left, top, width, height, index, grey):
    """An 8-bit palette PNG of 256 x 256 whose rectangle holds index, shown as grey."""
    image = Image.open(path)
    if image.format != "PNG" or image.mode != "P" or image.size != (256, 256):
        fail(f"{path}: {image.format} {image.mode} {image.size}, expected a 256 x 256 palette PNG")
    palette = image.getpalette()
    if tuple(palette[3 * index:3 * index + 3]) != (grey, grey, grey):
        fail(f"{path}: palette entry {index} is {palette[3 * index:3 * index + 3]}, expected grey {grey}")
    for y in range(top, top + height):
        for x in range(left, left + width):
            if image.getpixel((x, y)) != index:
                fail(f"{path}: pixel ({x}, {y}) is index {image.getpixel((x, y))}, expected {index}")


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
        screen(args[0], *map(int, args[1:6]))
    elif kind == "png":
        png(args[0], *map(int, args[1:7]))
    elif kind == "ini":
        ini(args[0], *args[1:])
    else:
        fail("unknown check " + kind)


if __name__ == "__main__":
    main()
