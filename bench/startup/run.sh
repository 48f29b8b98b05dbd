#!/usr/bin/env bash
# Start-up time and memory of the editor beside a bare Qt window and two
# Debian pixel editors, measured in one interleaved run under Xvfb.
#   bench/startup/run.sh [RUNS]        (default 15)
# Environment: PIXKURA (the editor, default build/release/bin/pixkura),
# SHARED_TOOLS (folder of mapwait.c and qt-baseline.cpp, default ../shared/tools).
# Prints, per program, the medians of the milliseconds until its window is
# mapped and of its resident memory one second later, and the editor's ratios
# to the Qt baseline.
set -euo pipefail

runs=${1:-15}
root=$(cd "$(dirname "$0")/../.." && pwd)
editor=${PIXKURA:-$root/build/release/bin/pixkura}
tools=${SHARED_TOOLS:-$root/../shared/tools}
[[ -x $editor ]] || { echo "run.sh: no editor at $editor (build it first)" >&2; exit 1; }

work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

gcc -O2 -o "$work/mapwait" "$tools/mapwait.c" -lX11
# shellcheck disable=SC2046
g++ -O2 -fPIC -std=c++17 -o "$work/qt-baseline" "$tools/qt-baseline.cpp" $(pkg-config --cflags --libs Qt6Widgets)

display=90
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=:$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

# name|command
programs=("pixkura|$editor" "qt-baseline|$work/qt-baseline")
for extra in mtpaint grafx2; do
  if command -v "$extra" >/dev/null; then programs+=("$extra|$(command -v "$extra")"); else echo "skipping $extra: not installed"; fi
done

# The editor keeps its settings beside itself; run a copy in the temp folder
# so the measured runs neither read nor leave a user's settings.
mkdir -p "$work/editor"
cp "$editor" "$work/editor/"
cp "$(dirname "$editor")"/*.spi "$work/editor/" 2>/dev/null || true
programs[0]="pixkura|$work/editor/$(basename "$editor")"

for ((i = 1; i <= runs; i++)); do
  for entry in "${programs[@]}"; do
    name=${entry%%|*}
    cmd=${entry#*|}
    # first_ms stable_ms rss_kB hwm_kB pid_ok n_maps
    if line=$(cd "$work" && "$work/mapwait" "$cmd" 2>/dev/null); then
      echo "$name $line" >>"$work/results"
    else
      echo "run $i: $name failed" >&2
    fi
  done
done

/usr/bin/python3 - "$work/results" <<'PY'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    f = line.split()
    rows.setdefault(f[0], []).append((float(f[1]), float(f[3]) / 1024))
print(f"{'program':<12} {'runs':>4} {'map ms':>8} {'RSS MB':>8}")
med = {}
for name, vals in rows.items():
    ms = statistics.median(v[0] for v in vals)
    rss = statistics.median(v[1] for v in vals)
    med[name] = (ms, rss)
    print(f"{name:<12} {len(vals):>4} {ms:>8.1f} {rss:>8.1f}")
if "pixkura" in med and "qt-baseline" in med:
    e, b = med["pixkura"], med["qt-baseline"]
    print(f"pixkura / qt-baseline: time x{e[0] / b[0]:.2f}, memory x{e[1] / b[1]:.2f}")
PY
