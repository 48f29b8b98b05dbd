#!/usr/bin/python3
"""Checks of the end-to-end run: pixels of a screenshot, of a saved PNG, an
exported animated GIF, palette and sprite-sheet data, and keys of the settings file; and the
pictures the runs start from. Exits 1 with a message when a check fails."""
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
    """The settings file in code page 932: section Pixkura with 30 keys, and key=value for each pair."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp932").split("\r\n")
    if lines[0] != "[Pixkura]" or len([l for l in lines[1:] if l]) != 30:
        fail(f"{path}: expected [Pixkura] with 30 keys, got {lines}")
    for pair in pairs:
        if pair not in lines:
            fail(f"{path}: no line {pair!r} in {lines}")


def walk_colour(i):
    """Palette entry i of the walk-cycle picture; 255 is the white background."""
    return (255, 255, 255) if i == 255 else ((i * 53) % 256, (i * 101) % 256, (i * 29 + 40) % 256)


def make_walk(path):
    """A 256 x 256 palette PNG holding a walk cycle: four rows (up, right, down,
    left) of four 32 x 32 cells; in each cell a figure of its row's colours
    whose legs stand apart by frame, on the background 255."""
    image = Image.new("P", (256, 256), 255)
    image.putpalette([c for i in range(256) for c in walk_colour(i)])
    for row in range(4):
        for frame in range(4):
            left, top = 32 * frame, 32 * row
            for y in range(6, 20):  # body
                for x in range(11, 21):
                    image.putpixel((left + x, top + y), 10 + row)
            for y in range(20, 29):  # legs apart by the frame
                image.putpixel((left + 12 - frame, top + y), 20 + frame)
                image.putpixel((left + 19 + frame, top + y), 20 + frame)
            image.putpixel((left + 15, top + 3), 30 + row)  # head
    image.save(path)


def gif(path, png_path, left, top, width, height, frames, durations, transparency):
    """An animated GIF of frames cells of width x height from the row of the
    palette PNG starting at (left, top), frame by frame: the PNG's indices and
    palette exactly, the durations given (ms, comma-separated), looping
    forever, and the transparent index (or None)."""
    from PIL import GifImagePlugin
    GifImagePlugin.LOADING_STRATEGY = GifImagePlugin.LoadingStrategy.RGB_AFTER_DIFFERENT_PALETTE_ONLY
    sheet = Image.open(png_path)
    image = Image.open(path)
    if image.format != "GIF" or image.size != (width, height) or image.n_frames != frames:
        fail(f"{path}: {image.format} {image.size} of {image.n_frames} frames, expected {frames} of {width} x {height}")
    if image.info.get("loop") != 0:
        fail(f"{path}: loop {image.info.get('loop')}, expected 0 (forever)")
    wanted = [int(d) for d in durations.split(",")]
    for i in range(frames):
        image.seek(i)
        if image.mode != "P":
            fail(f"{path}: frame {i} is {image.mode}, not palette indices")
        if image.info.get("duration") != wanted[i]:
            fail(f"{path}: frame {i} lasts {image.info.get('duration')} ms, expected {wanted[i]}")
        if str(image.info.get("transparency")) != transparency:
            fail(f"{path}: frame {i} transparency {image.info.get('transparency')}, expected {transparency}")
        if image.getpalette()[:768] != sheet.getpalette()[:768]:
            fail(f"{path}: frame {i} palette differs from {png_path}")
        cell = sheet.crop((left + i * width, top, left + (i + 1) * width, top + height))
        if image.tobytes() != cell.tobytes():
            fail(f"{path}: frame {i} differs from the cell at ({left + i * width}, {top}) of {png_path}")


def onion(path, png_path, left, top, zoom, cell, ghost, size, transparent, ghosts):
    """The loupe at (left, top) of the screenshot, zoom screen pixels per
    pixel, shows the size x size cell of the palette PNG whose top-left is
    cell ("X,Y"); with ghosts 1, where the cell has the transparent index and
    the ghost cell ("X,Y") has not, a colour that is neither of theirs, the
    same for each ghost index, and nowhere else. Read at the middle of each
    pixel's block, clear of the grid; the bottom-right 5 x 5 pixels, where
    the pen cursor is parked, are left out."""
    shot, sheet = Image.open(path).convert("RGB"), Image.open(png_path)
    palette = sheet.getpalette()
    colour = lambda i: tuple(palette[3 * i:3 * i + 3])
    (cx, cy), (gx, gy) = rgb(cell), rgb(ghost)
    tinted, shown = {}, 0
    for y in range(size):
        for x in range(size):
            if x >= size - 5 and y >= size - 5:
                continue
            pixel = shot.getpixel((left + x * zoom + zoom // 2, top + y * zoom + zoom // 2))
            c, g = sheet.getpixel((cx + x, cy + y)), sheet.getpixel((gx + x, gy + y))
            if ghosts and c == transparent and g != transparent:
                if pixel in (colour(c), colour(g)) or tinted.setdefault(g, pixel) != pixel:
                    fail(f"{path}: loupe pixel ({x}, {y}) is {pixel}, expected a tinted ghost of index {g}")
                shown += 1
            elif pixel != colour(c):
                fail(f"{path}: loupe pixel ({x}, {y}) is {pixel}, expected {colour(c)} of index {c}")
    if ghosts and shown == 0:
        fail(f"{path}: no ghost pixel to check")


def only_changed(path, original_path, at):
    """The palette PNG has the indices and palette of the original but at the one pixel "X,Y"."""
    image, original = Image.open(path), Image.open(original_path)
    if image.getpalette() != original.getpalette() or image.size != original.size:
        fail(f"{path}: palette or size differs from {original_path}")
    x0, y0 = rgb(at)
    for y in range(image.size[1]):
        for x in range(image.size[0]):
            if (x, y) != (x0, y0) and image.getpixel((x, y)) != original.getpixel((x, y)):
                fail(f"{path}: pixel ({x}, {y}) is index {image.getpixel((x, y))}, {original_path} has "
                     f"{original.getpixel((x, y))}")


def make_stripes(path):
    """A 256 x 256 palette PNG of diagonal stripes 8 pixels wide in the entries
    12, 100, 5, 200, 30 and 255, whose palette entry i is walk_colour(i)."""
    entries = (12, 100, 5, 200, 30, 255)
    image = Image.new("P", (256, 256), 0)
    image.putpalette([c for i in range(256) for c in walk_colour(i)])
    image.putdata([entries[(x // 8 + y // 8) % len(entries)] for y in range(256) for x in range(256)])
    image.save(path)


def same_area(path, other_path, left, top, width, height):
    """Two screenshots are pixel-identical in the rectangle."""
    box = (left, top, left + width, top + height)
    a, b = Image.open(path).convert("RGB").crop(box), Image.open(other_path).convert("RGB").crop(box)
    if a.tobytes() != b.tobytes():
        fail(f"{path}: the rectangle {box} differs from {other_path}")


def reordered(path, original_path, pairs):
    """The palette PNG is the original with its entries moved as the pairs
    "OLD:NEW,..." say (entries not named stay): every pixel's index moved so,
    every entry's colour with it, so that the picture's colours are the same."""
    image, original = Image.open(path), Image.open(original_path)
    moved = dict(tuple(int(v) for v in pair.split(":")) for pair in pairs.split(","))
    where = [moved.get(i, i) for i in range(256)]
    if sorted(where) != list(range(256)):
        fail(f"the pairs {pairs} do not move the entries one to one")
    palette, before = image.getpalette(), original.getpalette()
    for i in range(256):
        if palette[3 * where[i]:3 * where[i] + 3] != before[3 * i:3 * i + 3]:
            fail(f"{path}: entry {where[i]} is {palette[3 * where[i]:3 * where[i] + 3]}, expected old entry {i}")
    if list(image.getdata()) != [where[i] for i in original.getdata()]:
        fail(f"{path}: the indices are not the original's moved by {pairs}")
    if list(image.convert("RGB").getdata()) != list(original.convert("RGB").getdata()):
        fail(f"{path}: the colours differ from {original_path}")


def transparency(path, index):
    """The palette PNG makes entry index fully transparent and no other ("none": no tRNS at all)."""
    image = Image.open(path)
    expected = None if index == "none" else int(index)
    if image.info.get("transparency") != expected:
        fail(f"{path}: transparency {image.info.get('transparency')!r}, expected {expected!r}")


def sheet_data(path, cell, frames, tag, duration):
    """Sprite-sheet JSON as the importers read it, with Python's json: the
    documented keys, the picture it names (relative to it) of the size it
    gives, frames many cell x cell frames of that picture in rows, untrimmed,
    each shown duration ms, and the one tag NAME:FROM-TO:DIRECTION."""
    import json
    import os
    with open(path, encoding="utf-8") as f:
        d = json.load(f)
    meta = d.get("meta", {})
    if set(d) != {"frames", "meta"} or set(meta) != {"app", "version", "image", "format", "size", "scale",
                                                     "frameTags"}:
        fail(f"{path}: keys {sorted(d)}, meta {sorted(meta)}")
    image = Image.open(os.path.join(os.path.dirname(path), meta["image"]))
    if meta["size"] != {"w": image.size[0], "h": image.size[1]} or len(d["frames"]) != frames:
        fail(f"{path}: size {meta['size']} of {image.size}, {len(d['frames'])} frames")
    columns = image.size[0] // cell
    for i, f in enumerate(d["frames"]):
        x, y = i % columns * cell, i // columns * cell
        want = {"filename": f"{os.path.splitext(os.path.basename(meta['image']))[0]} {i}",
                "frame": {"x": x, "y": y, "w": cell, "h": cell}, "rotated": False, "trimmed": False,
                "spriteSourceSize": {"x": 0, "y": 0, "w": cell, "h": cell}, "sourceSize": {"w": cell, "h": cell},
                "duration": duration}
        if f != want:
            fail(f"{path}: frame {i} is {f}, expected {want}")
    tags = [f"{t['name']}:{t['from']}-{t['to']}:{t['direction']}" for t in meta["frameTags"]]
    if tags != [tag]:
        fail(f"{path}: tags {tags}, expected {tag}")


def gpl(path, count, index, colour):
    """A GIMP palette of count colours whose entry index has the colour."""
    with open(path, encoding="utf-8") as f:
        lines = [l for l in f.read().splitlines() if l and not l.startswith("#")]
    if lines[0] != "GIMP Palette":
        fail(f"{path}: first line {lines[0]!r}")
    colours = [tuple(int(v) for v in l.split()[:3]) for l in lines[1:] if l[0].isdigit() or l[0] == " "]
    if len(colours) != count:
        fail(f"{path}: {len(colours)} colours, expected {count}")
    if colours[index] != colour:
        fail(f"{path}: entry {index} is {colours[index]}, expected {colour}")


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
    elif kind == "make-walk":
        make_walk(args[0])
    elif kind == "gif":
        gif(args[0], args[1], *map(int, args[2:7]), args[7], args[8])
    elif kind == "onion":
        onion(args[0], args[1], *map(int, args[2:5]), args[5], args[6], *map(int, args[7:10]))
    elif kind == "only-changed":
        only_changed(args[0], args[1], args[2])
    elif kind == "walk-colour":
        print(",".join(map(str, walk_colour(int(args[0])))))
    elif kind == "make-stripes":
        make_stripes(args[0])
    elif kind == "same-area":
        same_area(args[0], args[1], *map(int, args[2:6]))
    elif kind == "reordered":
        reordered(args[0], args[1], args[2])
    elif kind == "transparency":
        transparency(args[0], args[1])
    elif kind == "sheet-data":
        sheet_data(args[0], int(args[1]), int(args[2]), args[3], int(args[4]))
    elif kind == "gpl":
        gpl(args[0], int(args[1]), int(args[2]), rgb(args[3]))
    else:
        fail("unknown check " + kind)


if __name__ == "__main__":
    main()
