# Copy and paste with the desktop's clipboard, read and written with xclip:
# Ctrl+C in the real window offers the selected cell as an indexed PNG whose
# palette and indices are the sheet's; a PNG another program put there
# (indexed, and true colour in the palette's colours) pasted with Ctrl+V and
# placed with a click lands with its indices; a block copied in one editor
# and pasted in another arrives exactly.

command -v xclip >/dev/null || die "xclip is missing"
py=/usr/bin/python3
# Every picture has palette entry i = (i, 255 - i, 128).
$py - "$tmp" <<'PY'
import sys
from PIL import Image
tmp = sys.argv[1]
palette = [c for i in range(256) for c in (i, 255 - i, 128)]
def indexed(name, width, height, index):
    image = Image.new("P", (width, height))
    image.putpalette(palette)
    image.putdata([index(x, y) for y in range(height) for x in range(width)])
    image.save(f"{tmp}/{name}")
indexed("a.png", 256, 256, lambda x, y: (x + 2 * y) % 97)
indexed("b.png", 256, 256, lambda x, y: 5)
indexed("put.png", 16, 8, lambda x, y: 100 + x + y)
true = Image.new("RGB", (8, 8))
true.putdata([(i, 255 - i, 128) for i in (150 + x + 3 * y for y in range(8) for x in range(8))])
true.save(f"{tmp}/true.png")
PY
# region FILE X Y W H EXPR: the indices of FILE's w x h pixels from (x, y)
# are EXPR of (x, y) relative to the region.
region() {
  $py - "$@" <<'PY' || die "$1: region ($2, $3) ${4}x$5 is not $6"
import sys
from PIL import Image
path, x0, y0, w, h, expr = sys.argv[1], *map(int, sys.argv[2:6]), sys.argv[6]
image = Image.open(path)
want = eval("lambda x, y: " + expr)
bad = [(x, y, image.getpixel((x0 + x, y0 + y))) for y in range(h) for x in range(w)
       if image.getpixel((x0 + x, y0 + y)) != want(x, y)]
if image.mode != "P" or bad:
    print(f"{path}: mode {image.mode}, first differences {bad[:4]}", file=sys.stderr)
    sys.exit(1)
PY
}

new_program_folder
step "editor A: Ctrl+C offers the selected cell as an indexed PNG"
window_title='a\.png — Pixkura$'
start_program "$tmp/a.png"
a_pid=$prog_pid
click 345 40   # the sheet view, so the window has the keyboard
right_click 345 40
xdotool key ctrl+c
sleep 0.5
targets=$(xclip -selection clipboard -t TARGETS -o) || die "nothing on the clipboard"
grep -qx 'application/x-pixkura-block' <<<"$targets" || die "no own format offered: $targets"
xclip -selection clipboard -t image/png -o >"$tmp/copied.png" || die "no image/png offered"
$py - "$tmp/copied.png" <<'PY' || die "the copied PNG is not the cell"
import sys
from PIL import Image
image = Image.open(sys.argv[1])
assert image.mode == "P" and image.size == (32, 32), (image.mode, image.size)
assert image.getpalette()[:768] == [c for i in range(256) for c in (i, 255 - i, 128)]
assert image.info.get("transparency") == 255, image.info.get("transparency")
assert list(image.getdata()) == [(x + 2 * y) % 97 for y in range(32) for x in range(32)]
PY

step "editor B: A's copy pasted with Ctrl+V and placed with a click arrives exactly"
window_title='b\.png — Pixkura$'
start_program "$tmp/b.png"
click 345 40
right_click 345 40
xdotool key ctrl+v
sleep 0.5
click $((325 + 64)) $((20 + 64))
xdotool key ctrl+s
sleep 1
region "$tmp/b.png" 64 64 32 32 '(x + 2 * y) % 97'
region "$tmp/b.png" 60 60 4 40 '5'

step "PNGs from another program: indexed, then true colour in the palette's colours"
# xclip stays behind to serve the clipboard until another program takes it.
xclip -selection clipboard -t image/png -i "$tmp/put.png" >/dev/null 2>&1
sleep 0.5
xdotool key ctrl+v
sleep 0.5
click $((325 + 128)) $((20 + 128))
xclip -selection clipboard -t image/png -i "$tmp/true.png" >/dev/null 2>&1
sleep 0.5
xdotool key ctrl+v
sleep 0.5
click $((325 + 200)) $((20 + 40))
xdotool key ctrl+s
sleep 1
region "$tmp/b.png" 128 128 16 8 '100 + x + y'
region "$tmp/b.png" 200 40 8 8 '150 + x + 3 * y'

stop_program
kill "$a_pid" 2>/dev/null || true
wait "$a_pid" 2>/dev/null || true
