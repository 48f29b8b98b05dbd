# Recovery of unsaved work: an editor killed after drawing comes back exactly
# (sheet, modified title, undo steps) after 復元; a second death answered
# with 破棄 starts clean; two editors running side by side never offer each
# other's copy.

new_program_folder

pen=100
grey() { echo "$1,$1,$1"; }
copies="$prog/recovery"

# Waits until a running editor has written its recovery copy.
wait_copy() {
  for _ in $(seq 200); do
    in_time
    compgen -G "$copies/[0-9]*/index" >/dev/null && return
    sleep 0.1
  done
  die "no recovery copy was written"
}
kill_program() {
  kill -9 "$prog_pid"
  wait "$prog_pid" 2>/dev/null || true
  prog_pid=""
}
# Starts the program and answers the recovery question with a key.
start_answering() {
  launch_program
  answer_question "$1"
  wait_main_window
}
two_strokes() {
  click "$(swatch_x $pen)" "$(swatch_y $pen)"
  drag 60 60 130   # sheet row 5, columns 5..13
  drag 60 100 130  # sheet row 10
  sheet_is 6 10 7 1 "$(grey $pen)"
}

step "draw two strokes, wait for the copy, kill -9"
start_program
two_strokes
wait_copy
kill_program

step "復元: the sheet, the modified title and the undo steps come back"
start_answering Return  # 復元, the default
sheet_is 6 5 7 1 "$(grey $pen)"
sheet_is 6 10 7 1 "$(grey $pen)"
title=$(xdotool getwindowname "$win")
[[ "$title" == *"* — "* ]] || die "after recovery the title is '$title'"
xdotool windowfocus "$win"  # back from the question's box
sleep 0.3
xdotool key ctrl+z
sleep 0.5
sheet_is 6 10 7 1 "$(grey 0)"
sheet_is 6 5 7 1 "$(grey $pen)"
xdotool key ctrl+y
sleep 0.5
sheet_is 6 10 7 1 "$(grey $pen)"
file_menu Down Down  # "名前を付けて保存"
file_dialog '^絵に名前を付けて下さい$' recovered.png
$check png "$work/recovered.png" 5 5 9 1 $pen "$(grey $pen)"
$check png "$work/recovered.png" 5 10 9 1 $pen "$(grey $pen)"
$check png "$work/recovered.png" 5 6 9 4 0 "$(grey 0)"
file_menu Left  # saved: closing asks nothing, the copy goes
wait_program_end
! compgen -G "$copies/[0-9]*/index" >/dev/null || die "a copy is left after the save"

step "破棄: a clean start"
start_program
two_strokes
wait_copy
kill_program
launch_program
box=$(wait_window '^確認$')
xdotool windowfocus "$box"
sleep 0.3
xdotool key Tab space  # from 復元 to 破棄
wait_main_window
sheet_is 6 5 7 1 "$(grey 0)"
sheet_is 6 10 7 1 "$(grey 0)"
title=$(xdotool getwindowname "$win")
[[ "$title" != *"*"* ]] || die "after 破棄 the title is '$title'"
compgen -G "$copies/discarded/*/index" >/dev/null || die "the discarded copy was not kept"
file_menu Left
wait_program_end

step "two editors: neither offers the other's copy"
start_program
first=$prog_pid first_win=$win
two_strokes
wait_copy
start_program
sleep 2
gone '^確認$' || die "the second editor offered the first one's copy"
[[ $(compgen -G "$copies/[0-9]*/lock" | wc -l) == 2 ]] || die "not one folder per editor: $(ls "$copies")"
stop_program  # the second, unchanged
prog_pid=$first win=$first_win
stop_program
