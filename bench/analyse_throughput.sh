#!/bin/bash
# Measures tessivo-cli analyse on a large MPEG-2 elementary stream, on the program stream muxed
# from it by ffmpeg and on the transport stream muxed from it by GStreamer, beside `cat` (the
# page-cache ceiling) and an ffprobe packet listing of the same files. The streams are generated
# here (never committed) under bench/out/.
#
#   bench/analyse_throughput.sh [SIZE_MB]      default 1000
set -euo pipefail
cd "$(dirname "$0")/.."
size_mb=${1:-1000}
out=bench/out
cli=build/src/cli/tessivo-cli
mkdir -p "$out"
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }
[ -x "$cli" ] || { echo "build first: make build" >&2; exit 1; }

es="$out/bench_${size_mb}mb.m2v"
ps="$out/bench_${size_mb}mb.vob"
ts="$out/bench_${size_mb}mb.ts"
if [ ! -f "$es" ]; then
  piece="$out/piece.m2v"
  ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc2=size=720x576:rate=25:duration=30 \
    -c:v mpeg2video -b:v 15M -maxrate 15M -bufsize 1835008 -g 12 -bf 2 -f mpeg2video "$piece"
  piece_bytes=$(stat -c %s "$piece")
  copies=$(( size_mb * 1000000 / piece_bytes + 1 ))
  for _ in $(seq "$copies"); do cat "$piece"; done > "$es"
  rm -f "$piece"
fi
if [ ! -f "$ps" ]; then
  ffmpeg -hide_banner -loglevel error -y -fflags +genpts -r 25 -i "$es" -c:v copy -f dvd "$ps"
fi
if [ ! -f "$ts" ]; then
  gst-launch-1.0 -q filesrc location="$es" ! mpegvideoparse ! mpegtsmux ! filesink location="$ts"
fi

# seconds and peak kB of one command, from a warm page cache
measure() {
  /usr/bin/time -f "%e %M" -o "$out/time.txt" "$@" >/dev/null 2>"$out/stderr.txt" || {
    cat "$out/stderr.txt" >&2; return 1; }
  cat "$out/time.txt"
}

report() {
  local label=$1 file=$2
  local bytes mb
  bytes=$(stat -c %s "$file")
  mb=$(awk -v b="$bytes" 'BEGIN { printf "%.0f", b / 1e6 }')
  cat "$file" >/dev/null  # warm the cache
  printf '\n%s: %s (%s MB)\n' "$label" "$file" "$mb"
  printf '  %-34s %9s %10s %12s\n' tool seconds MB/s "peak RSS MB"
  while IFS='|' read -r name command; do
    local best="" rss=""
    for _ in 1 2 3; do
      read -r seconds kb < <(measure bash -c "$command")
      if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
        best=$seconds; rss=$kb
      fi
    done
    awk -v n="$name" -v s="$best" -v b="$bytes" -v k="$rss" 'BEGIN {
      printf "  %-34s %9.2f %10.0f %12.1f\n", n, s, (s > 0 ? b / 1e6 / s : 0), k / 1024 }'
  done <<EOF2
cat|cat "$file"
tessivo-cli analyse|$cli analyse "$file" --quiet
ffprobe packet listing|ffprobe -v error -select_streams v:0 -show_entries packet=size -of csv "$file"
EOF2
}

report "Elementary stream" "$es"
report "Program stream" "$ps"
report "Transport stream" "$ts"
for file in "$ps" "$ts"; do
  printf '\nPictures (tessivo-cli / ffprobe) in %s:\n' "$file"
  $cli analyse "$file" --quiet | grep '^Pictures:'
  # A transport stream's video is listed under its program as well: the first figure counts.
  # sed reads to the end: a reader that stops early fails the pipe with SIGPIPE.
  ffprobe -v error -select_streams v:0 -count_packets -show_entries stream=nb_read_packets \
    -of csv=p=0 "$file" | sed -n '1s/[^0-9].*//p'
done
