# Files and settings: loading a palette picture through the PNG plug-in and
# saving its palette, a pen stroke, Undo and Redo, Save As PNG in the Qt file
# dialog, loading it back, closing with the unsaved-changes question (Yes:
# overwrite save), then a restart that must find the zoom and the palette
# again, a close answered No, and a GIF opened through its plug-in.

new_program_folder

# Colours of the palette picture the run loads first (entry i: red i, green
# 255 - i, blue 128), and of the grey ramp a new palette file holds.
pen=100 pen2=200
colour() { echo "$1,$((255 - $1)),128"; }
background=$(colour 0)

step "first start"
start_program
[[ -s "$prog/Pixkura.pal" ]] || die "no palette file was made beside the program"
$check pal "$prog/Pixkura.pal" $pen "$pen,$pen,$pen"
swatch_is $pen "$pen,$pen,$pen"

step "load a palette picture, save its palette"
$check make-picture "$work/colours.png"
file_menu Down
file_dialog '読み込む絵を選択して下さい' colours.png
swatch_is $pen "$(colour $pen)"
menu_keys Right Down  # "パレット" (its first command active) / "パレット保存"
sleep 0.5
$check pal "$prog/Pixkura.pal" $pen2 "$(colour $pen2)"

step "stroke, Undo, Redo"
click "$(swatch_x $pen)" "$(swatch_y $pen)"
# Zoom x8: loupe pixel = 8 screen pixels; (60..130, 60) is sheet row 5, columns 5..13.
drag 60 60 130
sheet_is 6 5 7 1 "$(colour $pen)"
click 240 306  # Undo
sheet_is 6 5 7 1 "$background"
click 276 306  # Redo
sheet_is 6 5 7 1 "$(colour $pen)"

step "Save As PNG"
file_menu Down Down
file_dialog '絵に名前を付けて下さい' stroke.png
[[ -f "$work/stroke.png" ]] || die "Save As wrote no stroke.png"
$check png "$work/stroke.png" 6 5 7 1 $pen "$(colour $pen)"
$check png "$work/stroke.png" 6 6 7 1 0 "$background"

step "load it back through the plug-in"
drag 60 180 120  # sheet row 20, which the load must wipe
sheet_is 6 20 6 1 "$(colour $pen)"
file_menu Down
file_dialog '読み込む絵を選択して下さい' stroke.png
answer_question n  # the unsaved row is discarded
sheet_is 6 5 7 1 "$(colour $pen)"
sheet_is 6 20 6 1 "$background"

step "change, zoom x4, close with the question (Yes)"
drag 60 260 90   # sheet row 30
click 204 434    # x4
file_menu Left   # "終了", at the end of the menu bar
answer_question Return
wait_program_end
$check png "$work/stroke.png" 6 30 3 1 $pen "$(colour $pen)"
$check png "$work/stroke.png" 6 20 6 1 0 "$background"
[[ -f "$prog/Pixkura.ini" ]] || die "no Pixkura.ini after the close"
$check ini "$prog/Pixkura.ini" "倍率=2" "アンドゥ回数=15" "筆幅=1"

step "restart: palette and zoom again"
start_program
swatch_is $pen2 "$(colour $pen2)"
click "$(swatch_x $pen2)" "$(swatch_y $pen2)"
# At x4 the loupe point (42, 42) is sheet pixel (10, 10); at x8 it would be (5, 5).
click 62 62
sheet_is 10 10 1 1 "$(colour $pen2)"
sheet_is 5 5 1 1 "$background"

step "close with the question (No)"
file_menu Left
answer_question n  # the No button's key; Escape would cancel the close
wait_program_end
$check png "$work/stroke.png" 10 10 1 1 0 "$background"
$check ini "$prog/Pixkura.ini" "倍率=2"

step "a GIF opens in the program through its plug-in"
# A picture no built-in reader takes: the real program must find the GIF
# plug-in beside itself and take its answer as the sheet and palette.
/usr/bin/python3 - "$work/walkers.gif" <<'PY'
import sys
from PIL import Image
picture = Image.new("P", (16, 8), 40)
picture.paste(90, (8, 0, 16, 8))
picture.putpalette([c for i in range(256) for c in (i, 255 - i, 128)])
picture.save(sys.argv[1])
PY
start_program
file_menu Down
file_dialog '読み込む絵を選択して下さい' walkers.gif
# Pillow stores the two colours used as entries 0 and 1. Inside the frames
# the sheet view draws over its top-left corner:
swatch_is 0 "$(colour 40)"
swatch_is 1 "$(colour 90)"
sheet_is 10 4 4 3 "$(colour 90)"
sheet_is 20 4 4 3 "$(colour 40)"
file_menu Left
wait_program_end
