// Sprite-sheet JSON read back with Python's json against the documented keys; the frames
// cut from the picture with PIL by their rectangles must give the grid's cells.
#pragma once

#include <fstream>
#include <string>

#include "tests/support/GifReadBack.h"

namespace pixkura::testing {

// Prints "frames N", each frame's "NAME X,Y WxH" and each tag's "tag NAME
// FROM TO DIRECTION"; any fault found is printed as a line starting "bad".
// Arguments: json, cell width and height, grid x and y, transparent index.
inline constexpr const char* kSheetDataCheck = R"(import json, os, sys
from PIL import Image
path, cw, ch, gx, gy, tr = sys.argv[1], *map(int, sys.argv[2:])
d = json.load(open(path, encoding="utf-8"))
def keys(what, o, want):
    if set(o) != set(want): print("bad keys", what, sorted(o))
keys("top", d, ["frames", "meta"])
m = d["meta"]
keys("meta", m, ["app", "version", "image", "format", "size", "scale", "frameTags"])
im = Image.open(os.path.join(os.path.dirname(path), m["image"]))
if im.mode != "P" or m["size"] != {"w": im.size[0], "h": im.size[1]} or m["scale"] != "1": print("bad meta", m)
frames = d["frames"]
if isinstance(frames, dict): frames = [dict(f, filename=n) for n, f in frames.items()]
print("frames", len(frames))
cols = (im.size[0] - gx) // cw
for i, f in enumerate(frames):
    keys(i, f, ["filename", "frame", "rotated", "trimmed", "spriteSourceSize", "sourceSize", "duration"])
    r, s = f["frame"], f["spriteSourceSize"]
    print(f["filename"], "%d,%d %dx%d" % (r["x"], r["y"], r["w"], r["h"]), f["trimmed"], f["duration"])
    cx, cy = gx + i % cols * cw, gy + i // cols * ch
    cell = im.crop((cx, cy, cx + cw, cy + ch))
    part = im.crop((r["x"], r["y"], r["x"] + r["w"], r["y"] + r["h"]))
    built = Image.new("P", (cw, ch), tr)
    built.paste(part, (s["x"], s["y"]))
    if f["rotated"] or f["sourceSize"] != {"w": cw, "h": ch} or (s["w"], s["h"]) != part.size:
        print("bad sizes", i)
    if built.tobytes() != cell.tobytes(): print("bad pixels", i)
    edges = [part.crop(b).tobytes() for b in ((0, 0, r["w"], 1), (0, r["h"] - 1, r["w"], r["h"]),
                                               (0, 0, 1, r["h"]), (r["w"] - 1, 0, r["w"], r["h"]))]
    if f["trimmed"] and part.size != (1, 1) and any(e == bytes([tr]) * len(e) for e in edges):
        print("bad trim", i)
for t in m["frameTags"]:
    keys("tag", t, ["name", "from", "to", "direction"])
    print("tag", t["name"], t["from"], t["to"], t["direction"])
)";

// What kSheetDataCheck prints for the JSON file json (script names a file
// the script may be written to).
inline std::string CheckSheetData(const std::string& json, const std::string& script, int cellWidth,
                                  int cellHeight, int x, int y, int transparent) {
  std::ofstream(script) << kSheetDataCheck;
  std::string command = "/usr/bin/python3 '" + script + "' '" + json + "'";
  for (int n : {cellWidth, cellHeight, x, y, transparent}) command += " " + std::to_string(n);
  return CommandOutput(command);
}

}  // namespace pixkura::testing
