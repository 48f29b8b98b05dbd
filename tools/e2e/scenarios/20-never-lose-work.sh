# Never losing work: the unsaved-changes question with its three answers on
# closing and on opening, a cancelled Save As after Yes, Ctrl+S on an untitled
# sheet asking before it replaces another file, and a start as an
# ordinary user from a folder that user cannot write.

new_program_folder

pen=100
grey() { echo "$1,$1,$1"; }
# Colour 0 of the picture make-picture writes (entry i: red i, green 255 - i, blue 128).
picture_colour="0,255,128"

step "a change, then Escape on the close question"
start_program
click "$(swatch_x $pen)" "$(swatch_y $pen)"
drag 60 60 130  # sheet row 5, columns 5..13
sheet_is 6 5 7 1 "$(grey $pen)"
file_menu Left  # "終了"
answer_question Escape
sleep 1
gone '^確認$' || die "the question is still open"
program_running || die "the window closed on Escape"
sheet_is 6 5 7 1 "$(grey $pen)"

step "Yes, then a cancelled Save As: the window stays"
file_menu Left
answer_question Return  # Yes, the default
cancel_dialog '絵に名前を付けて下さい'
sleep 1
program_running || die "the window closed after a cancelled save"
sheet_is 6 5 7 1 "$(grey $pen)"

step "Ctrl+S on the untitled sheet onto an existing file asks first; No keeps the file"
$check make-picture "$work/kept.png"
cp "$work/kept.png" "$tmp/kept.png"
xdotool windowfocus "$win"  # a closed dialog hands the focus back to no one
sleep 0.3
xdotool key ctrl+s
file_dialog '絵に名前を付けて下さい' kept.png
wait_window '^確認$' >/dev/null
sleep 0.5
shot
cp "$tmp/shot.png" "$tmp/overwrite-question.png"
answer_question n  # the No button's key
sleep 1
gone '^確認$' || die "the question is still open"
cmp -s "$work/kept.png" "$tmp/kept.png" || die "the existing file was changed"
program_running || die "the window closed"
sheet_is 6 5 7 1 "$(grey $pen)"
rm "$work/kept.png"

step "opening over the change asks: Escape opens nothing, No opens"
$check make-picture "$work/colours.png"
file_menu Down
file_dialog '読み込む絵を選択して下さい' colours.png
answer_question Escape
sleep 1
sheet_is 6 5 7 1 "$(grey $pen)"
file_menu Down
file_dialog '読み込む絵を選択して下さい' colours.png
answer_question n  # the No button's key
sleep 1
sheet_is 6 5 7 1 "$picture_colour"

step "nothing unsaved: closing asks nothing"
file_menu Left
wait_program_end
[[ -z "$(ls "$work" | grep -v '^colours.png$')" ]] || die "a file was written: $(ls "$work")"

step "an ordinary user starting the program where no palette file can be made"
# The program's folder is read-only, and so is the configuration folder the
# program falls back to (the run's own, which belongs to root).
ro="$tmp/readonly"
mkdir -p "$ro"
cp "$bindir/pixkura" "$bindir"/*.spi "$ro/"
chmod 555 "$ro"
# The user must reach the copy: the run's folders are private to root otherwise.
chmod a+x "$tmp" "$(dirname "$tmp")"
prog="$ro" AS_USER=nobody launch_program
# One message, naming the palette file that could not be made, before the window.
box=$(wait_window '^エラー$')
xdotool windowfocus "$box"
sleep 0.3
xdotool key Return
wait_main_window
gone '^エラー$' || die "more than one message at start-up"
swatch_is $pen "$(grey $pen)"
swatch_is 255 "$(grey 255)"
[[ ! -e "$ro/Pixkura.pal" && ! -e "$tmp/config/pixkura/Pixkura.pal" ]] || die "a palette file appeared"
stop_program
chmod 755 "$ro"
