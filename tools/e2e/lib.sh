# Helpers of the end-to-end run, sourced by tools/e2e/run and by every
# scenario. The run has started Xvfb and exported DISPLAY; it sets
# bindir (the build's bin folder), tmp (a scenario's own temporary folder),
# check (the PIL checks) and deadline.

die() { echo "e2e: $*" >&2; exit 1; }
step() { echo "e2e: $*"; }
in_time() { ((SECONDS < deadline)) || die "out of time"; }

# A fresh program folder: the program and its plug-ins copied into
# $tmp/prog (so Pixkura.ini and Pixkura.pal never land in the build), an
# empty work folder (the program's current folder) and a private
# configuration folder.
prog="" work=""
new_program_folder() {
  prog="$tmp/prog" work="$tmp/work"
  mkdir -p "$prog" "$work" "$tmp/config" "$tmp/runtime"
  chmod 700 "$tmp/runtime"
  cp "$bindir/pixkura" "$bindir"/*.spi "$prog/"
}

# The main window's title, as xdotool searches it: "FILE — Pixkura", with
# "*" after FILE while the sheet has unsaved changes.
window_title='(^| )Pixkura$'
prog_pid="" win=""
# The scenarios read the Japanese texts; a scenario may set program_lang=""
# to let the locale choose.
program_lang=ja
# start_program [ARGS...]: starts $prog/pixkura in $work and waits for its
# window; sets cx, cy (the client area's top-left on the screen) and
# menu_x, menu_y (the first menu's title). PROGRAM_ENV may add variables;
# PROGRAM names another executable, AS_USER another user to run it as.
start_program() {
  launch_program "$@"
  wait_main_window
}

# launch_program [ARGS...]: only starts it (for a start that shows a box first).
launch_program() {
  local lang_args=() runner=()
  [[ -n "$program_lang" ]] && lang_args=(--lang "$program_lang")
  [[ -n "${AS_USER:-}" ]] && runner=(runuser -u "$AS_USER" --)
  (cd "$work" && exec "${runner[@]}" env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$tmp/config" \
    XDG_RUNTIME_DIR="$tmp/runtime" ASAN_OPTIONS=detect_leaks=0 ${PROGRAM_ENV:-} "${PROGRAM:-$prog/pixkura}" \
    "${lang_args[@]}" "$@" >>"$tmp/program.log" 2>&1) &
  prog_pid=$!
}

wait_main_window() {
  win=""
  for _ in $(seq 300); do
    in_time
    kill -0 "$prog_pid" 2>/dev/null || die "the program ended at start-up"
    win=$(xdotool search --onlyvisible --name "$window_title" 2>/dev/null | head -n 1 || true)
    [[ -n "$win" ]] && break
    sleep 0.1
  done
  [[ -n "$win" ]] || die "the main window did not appear"
  locate_window
  sleep 0.5
}

locate_window() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # The fixed client area (785 x 518) sits below the menu bar.
  cx=$X cy=$((Y + HEIGHT - 518)) menu_x=$((X + 20)) menu_y=$((Y + (HEIGHT - 518) / 2))
}

program_running() { [[ -n "$prog_pid" ]] && kill -0 "$prog_pid" 2>/dev/null; }

wait_program_end() {
  for _ in $(seq 200); do
    kill -0 "$prog_pid" 2>/dev/null || { wait "$prog_pid" || die "the program ended with an error"; prog_pid=""; return; }
    in_time
    sleep 0.1
  done
  die "the program did not end after its window closed"
}

stop_program() {
  if [[ -n "$prog_pid" ]]; then
    kill "$prog_pid" 2>/dev/null || true
    wait "$prog_pid" 2>/dev/null || true
    prog_pid=""
  fi
}

# Client coordinates of the main window.
click() { xdotool mousemove $((cx + $1)) $((cy + $2)) click 1; sleep 0.3; }
right_click() { xdotool mousemove $((cx + $1)) $((cy + $2)) click 3; sleep 0.3; }
# drag X0 Y X1: a left-button drag along one row, in steps of 10 pixels.
drag() {
  xdotool mousemove $((cx + $1)) $((cy + $2)) mousedown 1
  local x
  for x in $(seq "$1" 10 "$3"); do xdotool mousemove $((cx + x)) $((cy + $2)); sleep 0.03; done
  xdotool mousemove $((cx + $3)) $((cy + $2)) mouseup 1
  sleep 0.3
}
# drag_path X0 Y0 X1 Y1 ...: a left-button drag through the given client points.
drag_path() {
  xdotool mousemove $((cx + $1)) $((cy + $2)) mousedown 1
  shift 2
  while (($# >= 2)); do
    xdotool mousemove $((cx + $1)) $((cy + $2))
    sleep 0.05
    shift 2
  done
  xdotool mouseup 1
  sleep 0.3
}
shot() { import -window root "$tmp/shot.png"; }
keep_shot() { import -window root "$tmp/$1.png"; }
# Keys go to the main window (without a window manager a closed dialog
# hands the focus back to no one).
key() {
  xdotool windowfocus "$win" 2>/dev/null || true
  xdotool key "$@"
  sleep 0.5
}
window_title() { xdotool getwindowname "$win"; }
# The sheet view's pixels: AllView at (20, 20) of the centre panel, which starts at 305.
sheet_is() { shot; $check screen "$tmp/shot.png" $((cx + 325 + $1)) $((cy + 20 + $2)) "$3" "$4" "$5"; }
# Palette entry i: 32 swatches of 8 x 12 per row in PalView at (20, 320).
swatch_x() { echo $((20 + ($1 % 32) * 8 + 4)); }
swatch_y() { echo $((320 + ($1 / 32) * 12 + 6)); }
swatch_is() { shot; $check screen "$tmp/shot.png" $((cx + $(swatch_x "$1") - 2)) $((cy + $(swatch_y "$1") - 3)) 4 6 "$2"; }

# Opens the first menu ("ファイル") with a click, then keys: Down to its
# commands (the separator is skipped), Left to "終了" at the end of the menu
# bar, Right to the next menu. Return runs the command reached.
menu_keys() {
  xdotool mousemove "$menu_x" "$menu_y" click 1
  sleep 0.4
  local k
  for k in "$@"; do xdotool key "$k"; sleep 0.1; done
  xdotool key Return
}
file_menu() { menu_keys "$@"; }
wait_window() {
  local w=""
  for _ in $(seq 100); do
    in_time
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [[ -n "$w" ]] && { echo "$w"; return; }
    sleep 0.1
  done
  die "window '$1' did not appear"
}
gone() { [[ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null || true)" ]]; }
# Types a file name into a file dialog and accepts it. The dialog starts in
# the work folder (the program's current folder); a completion list may take
# the first Return.
file_dialog() {
  local d
  d=$(wait_window "$1")
  xdotool windowfocus "$d"
  sleep 0.3
  xdotool type --delay 20 "$2"
  sleep 0.3
  for _ in 1 2 3; do
    xdotool key Return
    sleep 0.8
    gone "$1" && return
  done
  die "the dialog '$1' did not accept $2"
}
# Cancels a file dialog with Escape.
cancel_dialog() {
  local d
  d=$(wait_window "$1")
  xdotool windowfocus "$d"
  sleep 0.3
  xdotool key Escape
  sleep 0.5
  gone "$1" || die "the dialog '$1' did not close on Escape"
}
answer_question() {
  local b
  b=$(wait_window '^確認$')
  xdotool windowfocus "$b"
  sleep 0.3
  xdotool key "$1"
}
