#!/bin/bash
# Times the desktop application over the 1 GB program stream of analyse_throughput.sh (run that
# first): start of the program to the end of the run, and the longest step of the window thread,
# three runs, offscreen, with settings of its own.
#
#   bench/desktop_run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
file=${1:-bench/out/bench_1000mb.vob}
[ -f "$file" ] || { echo "no $file: run bench/analyse_throughput.sh first" >&2; exit 1; }
[ -f build/build.ninja ] || { echo "build first: make build" >&2; exit 1; }
cmake --build build --target tessivo_desktop_bench >/dev/null
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
cat "$file" >/dev/null  # warm the cache
for run in 1 2 3; do
  printf '\nrun %s (%s)\n' "$run" "$(uptime | sed 's/.*load/load/')"
  XDG_CONFIG_HOME="$settings" XDG_RUNTIME_DIR="$settings" QT_QPA_PLATFORM=offscreen \
    build/bench/tessivo_desktop_bench "$file"
done
