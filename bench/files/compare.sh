#!/usr/bin/env bash
# Times the BMP reader and the PNG writer against python3-pil on the same
# pictures in one run and prints the ratios.
# Usage: bench/files/compare.sh RELEASE_BUILD_DIR   (built with bench_files)
set -euo pipefail
build=${1:?usage: compare.sh RELEASE_BUILD_DIR}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
/usr/bin/python3 "$here/compare_pil.py" make "$data"
PIXKURA_BENCH_DATA=$data "$build/bin/bench_files" --benchmark_repetitions=7 \
  --benchmark_report_aggregates_only=true --benchmark_format=json > "$data/ours.json"
/usr/bin/python3 "$here/compare_pil.py" report "$data" "$data/ours.json"
