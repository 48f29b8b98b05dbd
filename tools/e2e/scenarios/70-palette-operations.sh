# Reordering the palette as a sprite artist does, the pixels following their
# entries: swatch 12 dragged onto swatch 100 swaps them, a Shift-drag moves
# entry 5 to 40, the transparent colour goes to entry 0 from the palette
# menu. After each the sheet view is pixel-identical to what it showed; the
# move is undone; the saved picture holds the original's colours with the
# indices and palette moved as the operations say (checked with PIL), and
# with the PNG transparency item on, entry 0 transparent in it. With the
# unused-entry marks on, a screenshot of the palette is kept.

new_program_folder
$check make-stripes "$work/stripes.png"
cp "$work/stripes.png" "$tmp/original.png"
start_program "$work/stripes.png"

# The sheet view (AllView at (325, 20) of the client) against the first screenshot.
sheet_unchanged() {
  xdotool mousemove $((cx + 700)) $((cy + 480))
  sleep 0.3
  shot
  $check same-area "$tmp/shot.png" "$tmp/sheet-before.png" $((cx + 325)) $((cy + 20)) 256 256
}
# drag_swatch FROM TO: a left-button drag from one swatch to another through their middle.
drag_swatch() {
  drag_path "$(swatch_x "$1")" "$(swatch_y "$1")" $(( ($(swatch_x "$1") + $(swatch_x "$2")) / 2 )) \
    $(( ($(swatch_y "$1") + $(swatch_y "$2")) / 2 )) "$(swatch_x "$2")" "$(swatch_y "$2")"
}
colour() { $check walk-colour "$1"; }

step "the stripes as they show"
xdotool mousemove $((cx + 700)) $((cy + 480))
sleep 0.3
shot
cp "$tmp/shot.png" "$tmp/sheet-before.png"

step "swatch 12 dragged onto swatch 100: the entries change places, the sheet shows the same"
drag_swatch 12 100
swatch_is 100 "$(colour 12)"
swatch_is 12 "$(colour 100)"
sheet_unchanged

step "Shift-drag of swatch 5 to 40: the entries between shift by one, the sheet shows the same"
xdotool keydown shift
drag_swatch 5 40
xdotool keyup shift
sleep 0.3
swatch_is 40 "$(colour 5)"
swatch_is 5 "$(colour 6)"
sheet_unchanged

step "undo takes back the move only"
key ctrl+z
swatch_is 5 "$(colour 5)"
swatch_is 100 "$(colour 12)"
sheet_unchanged

step "the transparent colour (255) to entry 0 from the palette menu, the unused entries marked"
menu_keys Right Down Down Down Down Down Down Down Down Down Down Down  # "パレット" / "透明色を0番へ"
sleep 0.5
swatch_is 0 "255,255,255"
sheet_unchanged
menu_keys Right Down Down Down Down Down Down Down Down Down Down Down Down  # "未使用の色に印を付ける"
sleep 0.5
import -window root "$tmp/marks.png"

step "saved: the original's colours, entries 12 and 100 swapped, 0 and 255 swapped"
key ctrl+s
sleep 0.8
$check reordered "$work/stripes.png" "$tmp/original.png" 12:100,100:12,0:255,255:0
$check transparency "$work/stripes.png" none

step "the transparent colour as PNG transparency (File menu): the saved PNG makes entry 0 transparent"
file_menu Down Down Down Down Down  # "透明色をPNGの透明にする"
sleep 0.5
key ctrl+s
sleep 0.8
$check transparency "$work/stripes.png" 0
$check reordered "$work/stripes.png" "$tmp/original.png" 12:100,100:12,0:255,255:0
