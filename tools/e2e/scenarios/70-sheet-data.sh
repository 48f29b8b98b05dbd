# Sprite-sheet data for a game engine: a walk cycle opened and touched up,
# the right-hand row of four frames played in the preview, then exported.
# The editor asks to save the changed picture first (No writes nothing), the
# tag's name is the row's unless one is typed, and the JSON is read back with
# Python's json against the keys the importers read and the picture it names.
# A picture file smaller than the sheet is described as it is on disk.

new_program_folder
$check make-walk "$work/walk.png"
start_program "$work/walk.png"

step "four frames of the right-hand row in the preview, a dot drawn"
# StepBar (the frame count) at (419, 377) of the client area: two clicks on
# its right arrow make 4 frames of the default 2. MovRight plays that row.
click 470 387
click 470 387
click 481 331
pen=40
click "$(swatch_x $pen)" "$(swatch_y $pen)"
click $((20 + 2 * 8 + 4)) $((20 + 2 * 8 + 4))  # cell pixel (2, 2)

step "export: No to saving first writes nothing"
file_menu Down Down Down Down Down Down  # "スプライトシート情報書き出し"
answer_question Escape
sleep 0.5
gone '^スプライトシート情報の書き出し$' || die "the export went on without the picture saved"
[[ ! -e "$work/walk.json" ]] || die "sprite-sheet data written without the picture saved"

step "export: Yes saves, the row's name is offered for the tag, the file is named"
file_menu Down Down Down Down Down Down
answer_question Return
d=$(wait_window '^スプライトシート情報の書き出し$')
xdotool windowfocus "$d"
sleep 0.3
keep_shot sheet-data-tag-ja
xdotool key Return
file_dialog '^スプライトシート情報に名前を付けて下さい$' walk
$check png "$work/walk.png" 2 2 1 1 $pen 72,200,176
# Row 1 of the grid of 8 x 8 cells: frames 8 to 11; WaitBar at 40: 102.5 ms, written as 103.
$check sheet-data "$work/walk.json" 32 64 right:8-11:forward 103
[[ "$(window_title)" == "walk.png — Pixkura" ]] || die "the saved sheet still counts as changed"

step "a picture of 4 x 3 cells: its own size and frames, the tag typed"
/usr/bin/python3 -c "from PIL import Image; Image.open('$work/walk.png').crop((0, 0, 128, 96)).save('$work/small.png')"
key ctrl+o
file_dialog '^読み込む絵を選択して下さい$' small.png
file_menu Down Down Down Down Down Down
d=$(wait_window '^スプライトシート情報の書き出し$')
xdotool windowfocus "$d"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 walk
xdotool key Return
file_dialog '^スプライトシート情報に名前を付けて下さい$' small
$check sheet-data "$work/small.json" 32 12 walk:4-7:forward 103
stop_program

step "the menu item and the dialog in English"
program_lang=en
start_program "$work/walk.png"
xdotool mousemove "$menu_x" "$menu_y" click 1
sleep 0.5
keep_shot file-menu-en
xdotool key Escape
sleep 0.3
menu_keys Down Down Down Down Down Down
d=$(wait_window '^Export Sprite Sheet Data$')
sleep 0.3
keep_shot sheet-data-tag-en
xdotool windowfocus "$d"
xdotool key Escape
sleep 0.5
gone '^Export Sprite Sheet Data$' || die "the tag dialog did not close on Escape"
stop_program
