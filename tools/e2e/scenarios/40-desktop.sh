# At home on a desktop: the build installed into a temporary prefix, the
# installed program started by an ordinary user with a fresh home and an
# English locale, a picture named on the command line opened (through the
# installed PNG plug-in), a stroke undone with Ctrl+Z, Ctrl+Q and No. The
# settings and the palette must be in that user's ~/.config/pixkura, and
# nothing new under the prefix. Then the installed converter converts the PNG
# (its plug-ins are under the prefix too) to a name with a Latin-1 byte, and
# the installed program opens that file from the command line.

build=$(dirname "$bindir")
[[ -f "$build/cmake_install.cmake" ]] || die "no build tree beside $bindir to install from"
id nobody >/dev/null 2>&1 || die "no user nobody to run the program as"

step "install into a temporary prefix"
prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || die "install failed (see $tmp/install.log)"
[[ -x "$prefix/bin/pixkura" && -f "$prefix/lib/pixkura/plugins/pixkura-png.spi" ]] || die "incomplete install"
listing() { (cd "$prefix" && find . -printf '%p %s %T@ %m\n' | sort); }
listing >"$tmp/prefix.before"

# The user's own world: a fresh home, a runtime folder, a picture to open;
# the scenario's folders readable to the user, the prefix not writable by it.
home="$tmp/home" work="$tmp/work"
mkdir -p "$home" "$work" "$tmp/pics" "$tmp/userruntime"
chown nobody "$home" "$work" "$tmp/userruntime"
chmod 700 "$tmp/userruntime"
chmod a+rx "$(dirname "$tmp")" "$tmp" "$tmp/pics"
$check make-picture "$tmp/pics/hero.png"
chmod a+r "$tmp/pics/hero.png"
colour() { echo "$1,$((255 - $1)),128"; }

step "start the installed program as nobody with hero.png"
program_lang=""
PROGRAM="$prefix/bin/pixkura" AS_USER=nobody \
  PROGRAM_ENV="HOME=$home XDG_CONFIG_HOME= XDG_RUNTIME_DIR=$tmp/userruntime LANGUAGE=en LANG=en_US.UTF-8 LC_ALL=" \
  start_program "$tmp/pics/hero.png"
sleep 1
title=$(xdotool getwindowname "$win")
[[ "$title" == "hero.png — Pixkura" ]] || die "window title is '$title', not 'hero.png — Pixkura'"
sheet_is 100 100 20 20 "$(colour 0)"

step "a stroke, then Ctrl+Z"
click "$(swatch_x 100)" "$(swatch_y 100)"
drag 60 60 130
sheet_is 6 5 7 1 "$(colour 100)"
title=$(xdotool getwindowname "$win")
[[ "$title" == "hero.png* — Pixkura" ]] || die "after a change the title is '$title'"
xdotool key ctrl+z
sleep 0.5
sheet_is 6 5 7 1 "$(colour 0)"

step "Ctrl+Q, No to the question in English"
xdotool key ctrl+q
box=$(wait_window '^Question$')
xdotool windowfocus "$box" 2>/dev/null || true
sleep 0.3
xdotool key n
wait_program_end

step "settings in the user's home, nothing new in the prefix"
for f in Pixkura.ini Pixkura.pal; do
  [[ -s "$home/.config/pixkura/$f" ]] || die "no $f in the user's ~/.config/pixkura"
done
[[ "$(stat -c %U "$home/.config/pixkura/Pixkura.ini")" == nobody ]] || die "the settings do not belong to the user"
$check ini "$home/.config/pixkura/Pixkura.ini" "倍率=3"
listing >"$tmp/prefix.after"
diff -u "$tmp/prefix.before" "$tmp/prefix.after" >&2 || die "the program changed files under its prefix"
[[ -z "$(find "$prefix" -name 'Pixkura.*')" ]] || die "settings or palette under the prefix"

step "the installed converter converts the PNG, as the user, to a name that is no UTF-8"
latin="$work/h"$'\xe9'"ro.png"
runuser -u nobody -- env ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura-convert" "$tmp/pics/hero.png" "$latin" \
  >>"$tmp/program.log" 2>&1 || die "the installed converter cannot convert a PNG (see $tmp/program.log)"
$check png "$latin" 0 0 256 256 0 "$(colour 0)"

step "the installed program opens that name from the command line"
PROGRAM="$prefix/bin/pixkura" AS_USER=nobody \
  PROGRAM_ENV="HOME=$home XDG_CONFIG_HOME= XDG_RUNTIME_DIR=$tmp/userruntime LANGUAGE=en LANG=en_US.UTF-8 LC_ALL=" \
  start_program "$latin"
sleep 1
# The title shows the name as text, the byte as U+FFFD; an unopened file would leave the untitled sheet.
title=$(xdotool getwindowname "$win")
[[ "$title" == "h"$'\xef\xbf\xbd'"ro.png — Pixkura" ]] || die "window title is '$title': the file did not open"
sheet_is 100 100 20 20 "$(colour 0)"
stop_program
