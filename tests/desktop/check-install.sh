#!/usr/bin/env bash
# check-install.sh BUILD CMAKE: installs BUILD into a temporary prefix and
# checks the layout a desktop and a user expect, then runs the installed
# program's --version and --help, and the installed converter on a PNG, a GIF
# and a JPEG (read through the plug-ins in PREFIX/lib/pixkura/plugins).
set -euo pipefail
build=$1 cmake=$2
prefix=$(mktemp -d "${TMPDIR:-/tmp}/pixkura-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "check-install: $*" >&2; exit 1; }
id=io.github.pixkura.Pixkura
for f in bin/pixkura bin/pixkura-convert; do [[ -x "$prefix/$f" ]] || fail "$f missing"; done
for p in png gif jpeg misc; do
  [[ -f "$prefix/lib/pixkura/plugins/pixkura-$p.spi" ]] || fail "plug-in pixkura-$p.spi missing"
done
[[ -d "$prefix/share/pixkura" ]] || fail "share/pixkura missing: the program would not know it is installed"
for f in share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg share/man/man1/pixkura.1 share/man/man1/pixkura-convert.1; do
  [[ -s "$prefix/$f" ]] || fail "$f missing"
done
for size in 16 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [[ -s "$png" ]] || fail "${size}x${size} icon missing"
  # Width and height from the PNG header (bytes 16..23).
  read -r w h < <(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [[ "$w" == "$size" && "$h" == "$size" ]] || fail "${size}x${size} icon is ${w}x${h}"
done
# Nothing else of ours lands in bin.
extra=$(ls "$prefix/bin" | grep -v -x -e pixkura -e pixkura-convert || true)
[[ -z "$extra" ]] || fail "unexpected files in bin: $extra"

ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura" --version | grep -q '^Pixkura ' || fail "--version"
ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura" --help | grep -q '^Usage: pixkura' || fail "--help"
rc=0
ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura" --no-such-option 2>/dev/null || rc=$?
[[ $rc -eq 2 ]] || fail "an unknown option ended with $rc, not 2"

fixtures=$(cd "$(dirname "$0")/../data/plugins" && pwd)
for picture in png_dpi.png gif_basic.gif jpeg_rgb.jpg; do
  info=$(ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura-convert" --info "$fixtures/$picture" 2>&1) ||
    fail "the installed converter cannot read $picture: $info"
  grep -q '^width: [1-9]' <<<"$info" || fail "--info of $picture: $info"
  out="$prefix/${picture%.*}.bmp"
  ASAN_OPTIONS=detect_leaks=0 "$prefix/bin/pixkura-convert" "$fixtures/$picture" "$out" ||
    fail "the installed converter cannot convert $picture"
  [[ "$(head -c2 "$out")" == BM ]] || fail "$picture converted to no BMP"
done
echo "check-install: layout of $prefix as expected"
