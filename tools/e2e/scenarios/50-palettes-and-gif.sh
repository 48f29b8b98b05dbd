# Palettes and animations as an artist uses them: an entry recoloured in
# Qt's colour dialog (a double-click on its swatch), a ramp from the main to
# the transparent colour, a GIMP palette from a palette site opened, undone
# and redone, the palette exported as a GIMP palette; then a walk cycle
# opened and exported as an animated GIF through the export's own dialog,
# checked frame by frame against the picture with PIL. Screenshots of the
# new dialogs and the palette menu, in Japanese and in English, are kept in
# the scenario's folder (KEEP=1) to be looked at.

new_program_folder

# dialog_click TITLE X Y: clicks at (X, Y) of the dialog window titled TITLE.
dialog_click() {
  local d X Y WIDTH HEIGHT SCREEN WINDOW
  d=$(wait_window "$1")
  eval "$(xdotool getwindowgeometry --shell "$d")"
  xdotool mousemove $((X + $2)) $((Y + $3)) click 1
  sleep 0.3
}
# Colour dialog: its "HTML" field (Alt+H) takes the colour; Return is OK.
choose_colour() {
  local d
  d=$(wait_window "$1")
  xdotool windowfocus "$d" 2>/dev/null || true
  sleep 0.3
  xdotool key alt+h ctrl+a
  xdotool type --delay 20 "$2"
  xdotool key Return
  sleep 0.5
  gone "$1" || die "the colour dialog did not close"
}
double_click_swatch() {
  xdotool mousemove $((cx + $(swatch_x "$1"))) $((cy + $(swatch_y "$1"))) click --repeat 2 --delay 80 1
  sleep 0.8
}

step "recolour entry 100 in the colour dialog: a double-click on its swatch"
start_program
double_click_swatch 100
keep_shot colour-dialog-ja
choose_colour '^色を選択して下さい$' '#ff0000'
swatch_is 100 "255,0,0"
[[ "$(window_title)" == *"* — Pixkura" ]] || die "a recoloured entry left the sheet unchanged: '$(window_title)'"

step "a ramp from the main colour (100, red) to the transparent colour (110)"
right_click "$(swatch_x 110)" "$(swatch_y 110)"
menu_keys Right Down Down Down Down Down  # "パレット" / "グラデーション作成"
sleep 0.5
# Entry 100 + k is (red * (10 - k) + grey 110 * k) / 10 per channel, halves up.
swatch_is 101 "241,11,11"
swatch_is 105 "183,55,55"
swatch_is 109 "125,99,99"
swatch_is 110 "110,110,110"

step "open a GIMP palette from a palette site"
printf 'GIMP Palette\nName: Site\nColumns: 3\n#\n 12  34  56\tInk\n200 180  40\tSand\n  0 128 255\tSky\n' \
  >"$work/site.gpl"
menu_keys Right Down Down  # "外部パレット読み込み"
file_dialog '^読み込むパレットファイルを選択して下さい$' site.gpl
swatch_is 0 "12,34,56"
swatch_is 2 "0,128,255"
swatch_is 3 "3,3,3"  # a short palette sets only its entries
swatch_is 105 "183,55,55"

step "undo the palette, then the ramp; redo the ramp"
key ctrl+z
swatch_is 0 "0,0,0"
swatch_is 105 "183,55,55"
key ctrl+z
swatch_is 105 "105,105,105"
swatch_is 100 "255,0,0"
key ctrl+y
swatch_is 105 "183,55,55"

step "export the palette as a GIMP palette, save the sheet, quit"
menu_keys Right Down Down Down  # "外部パレット書き出し"
file_dialog '^パレットファイルに名前を付けて下さい$' mine
$check gpl "$work/mine.gpl" 256 105 "183,55,55"
$check gpl "$work/mine.gpl" 256 100 "255,0,0"
file_menu Down Down
file_dialog '^絵に名前を付けて下さい$' sheet.png
$check png "$work/sheet.png" 0 0 4 4 0 "0,0,0"
[[ "$(window_title)" == "sheet.png — Pixkura" ]] || die "the saved sheet still counts as changed"
key ctrl+q
wait_program_end

step "export a walk cycle: 4 frames of the right-hand row, the transparent colour left out"
$check make-walk "$work/walk.png"
start_program "$work/walk.png"
# StepBar (the frame count) lies at (419, 377) of the client area, 57 x 21:
# two clicks on its right arrow make 4 frames of the default 2.
click 470 387
click 470 387
file_menu Down Down Down Down  # "GIFアニメ書き出し"
sleep 0.5
keep_shot animation-dialog-ja
dialog_click '^GIFアニメの書き出し$' 138 75  # "右"
dialog_click '^GIFアニメの書き出し$' 18 139  # "透明色を抜く"
xdotool key Return
file_dialog '^GIFアニメに名前を付けて下さい$' walk
# WaitBar at 40: 41 rounds of 2.5 ms, 102.5 ms a frame, written as 103 ms:
# the frames end at 10, 21, 31 and 41 hundredths. The transparent colour is
# still entry 110, picked in the first run and kept in the settings.
$check gif "$work/walk.gif" "$work/walk.png" 0 32 32 32 4 100,110,100,100 110
key ctrl+q
wait_program_end

step "the new dialogs and the palette menu in English"
program_lang=en
start_program
double_click_swatch 20
keep_shot colour-dialog-en
choose_colour '^Choose a colour$' '#00ff00'
swatch_is 20 "0,255,0"
file_menu Down Down Down Down
sleep 0.5
keep_shot animation-dialog-en
d=$(wait_window '^Export GIF Animation$')
xdotool key Escape
sleep 0.5
gone '^Export GIF Animation$' || die "the animation dialog did not close on Escape"
xdotool mousemove $((menu_x + 60)) "$menu_y" click 1  # "Palette"
sleep 0.5
keep_shot palette-menu-en
xdotool key Escape
sleep 0.3
stop_program
