# What the loupe shows is what the sheet gets. At zoom x16 a pen stroke is
# dragged past the loupe's right edge: the part beyond the loupe stays out of
# the sheet, also after the loupe scrolls there and another dot is drawn. At
# zoom x8 a pen is dragged out below the cell, along beneath it and back up:
# nothing is painted along the cell's bottom row. Each step is read back from
# the loupe on the screen and from the sheet saved as PNG.

new_program_folder
start_program

pen=100
grey() { echo "$1,$1,$1"; }
black=$(grey 0)

# The middle of loupe pixel p at zoom z, in client coordinates (the loupe is
# at (20, 20)); the middle keeps clear of the grid, which runs along the
# blocks' edges.
loupe_at() { echo $((20 + $1 * $2 + $2 / 2)); }
# loupe_is Z PX PY W COLOUR: loupe pixels PX..PX+W-1 of row PY show COLOUR.
loupe_is() {
  local z=$1 px=$2 py=$3 w=$4 colour=$5 i
  shot
  for ((i = px; i < px + w; i++)); do
    $check screen "$tmp/shot.png" $((cx + $(loupe_at "$i" "$z") - 2)) $((cy + $(loupe_at "$py" "$z") - 2)) 4 4 "$colour"
  done
}
# The pen cursor follows the pointer over the loupe and stays where it left
# it: leave it in the loupe's bottom-right corner, then take the pointer away.
park() {
  xdotool mousemove $((cx + 274)) $((cy + 274))
  sleep 0.1
  xdotool mousemove $((cx + 700)) $((cy + 480))
  sleep 0.3
}
# saved NAME: writes the sheet to sheet.png (Save As the first time, then
# overwrite) and keeps a copy as NAME.
saved=""
saved() {
  if [[ -z "$saved" ]]; then
    file_menu Down Down
    file_dialog '絵に名前を付けて下さい' sheet.png
    saved=1
  else
    file_menu Down Down Down
    sleep 0.8
  fi
  [[ -f "$work/sheet.png" ]] || die "no sheet.png was written"
  cp "$work/sheet.png" "$tmp/$1.png"
}
sheet_png() { $check png "$tmp/$1.png" "${@:2}"; }

step "pen colour $pen, zoom x16"
click "$(swatch_x $pen)" "$(swatch_y $pen)"
click 252 434  # x16: the loupe shows cell pixels 0..15 each way

step "a stroke dragged past the loupe's right edge"
z=16
drag_path "$(loupe_at 10 $z)" "$(loupe_at 4 $z)" "$(loupe_at 13 $z)" "$(loupe_at 4 $z)" \
  "$(loupe_at 22 $z)" "$(loupe_at 4 $z)"
park
loupe_is $z 10 4 6 "$(grey $pen)"
saved stroke
sheet_png stroke 10 4 6 1 $pen "$(grey $pen)"
sheet_png stroke 16 4 7 1 0 "$black"

step "scroll the loupe there, draw one dot"
click 286 148  # LupeRight: the loupe shows cell pixels 8..23 across
loupe_is $z 8 4 7 "$black"  # cell pixels 16..22 of the stroke's row
click "$(loupe_at 2 $z)" "$(loupe_at 10 $z)"  # cell pixel (10, 10)
park
loupe_is $z 2 10 1 "$(grey $pen)"
loupe_is $z 8 4 7 "$black"
saved dot
sheet_png dot 10 10 1 1 $pen "$(grey $pen)"
sheet_png dot 16 4 7 1 0 "$black"
sheet_png dot 10 4 6 1 $pen "$(grey $pen)"

step "zoom x8: out below the cell, along beneath it, back up"
z=8
click 228 434  # x8: the whole 32 x 32 cell
drag_path "$(loupe_at 4 $z)" "$(loupe_at 28 $z)" "$(loupe_at 4 $z)" "$(loupe_at 36 $z)" \
  "$(loupe_at 20 $z)" "$(loupe_at 36 $z)" "$(loupe_at 20 $z)" "$(loupe_at 29 $z)"
park
loupe_is $z 4 31 1 "$(grey $pen)"
loupe_is $z 5 31 15 "$black"
loupe_is $z 20 31 1 "$(grey $pen)"
saved below
sheet_png below 4 28 1 4 $pen "$(grey $pen)"
sheet_png below 20 29 1 3 $pen "$(grey $pen)"
sheet_png below 5 31 15 1 0 "$black"
sheet_png below 0 32 32 1 0 "$black"  # the cell below is untouched

stop_program
