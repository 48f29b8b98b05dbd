# The onion skin as an animator uses it: a walk cycle opened, the second
# frame of a row selected, the onion skin turned on with its key. The loupe
# shows the first frame's legs, tinted, where the second frame is
# transparent and nowhere else; a dot drawn over a ghost is the pen's colour,
# and the saved picture holds the dot and no ghost pixel.

new_program_folder
$check make-walk "$work/walk.png"
cp "$work/walk.png" "$tmp/original.png"
start_program "$work/walk.png"

# The loupe (x8, the whole 32 x 32 cell) against the cell at (32, 0) of the
# picture, with the cell at (0, 0) as the ghost when $2 is 1.
# The pen cursor stays where the pointer leaves the loupe: park it in the
# loupe's bottom-right corner, which the check leaves out.
park() {
  xdotool mousemove $((cx + 274)) $((cy + 274))
  sleep 0.1
  xdotool mousemove $((cx + 700)) $((cy + 480))
  sleep 0.3
}
loupe_shows() {
  park
  shot
  $check onion "$tmp/shot.png" "$1" $((cx + 20)) $((cy + 20)) 8 32,0 0,0 32 255 "$2"
}

step "the second frame of the up row, onion skin off: the loupe shows the cell only"
key shift+Right
loupe_shows "$tmp/original.png" 0

step "O turns the onion skin on: the first frame's legs show tinted in the holes"
key o
loupe_shows "$tmp/original.png" 1

step "a dot over a ghost pixel, then save"
pen=40
click "$(swatch_x $pen)" "$(swatch_y $pen)"
click $((20 + 12 * 8 + 4)) $((20 + 24 * 8 + 4))  # cell pixel (12, 24): a ghost of the first frame's left leg
key ctrl+s
sleep 0.8
# Entry 40 of the walk cycle's palette is (40 * 53, 40 * 101, 40 * 29 + 40) mod 256.
$check png "$work/walk.png" 44 24 1 1 $pen 72,200,176
$check only-changed "$work/walk.png" "$tmp/original.png" 44,24
loupe_shows "$work/walk.png" 1
