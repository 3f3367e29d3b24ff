#!/bin/bash
# A program or transport stream past 4 GiB, made by concatenating the throughput benchmark's 1 GB
# stream: the analysis must complete with the right picture count and the same peak memory as for
# 1 GB. (Where a joint of two transport streams breaks the continuity counters, the report
# counts it.)
#
#   bench/large_file.sh [COPIES] [vob|ts]      default 5 vob
set -euo pipefail
cd "$(dirname "$0")/.."
copies=${1:-5}
kind=${2:-vob}
out=bench/out
cli=build/src/cli/tessivo-cli
one="$out/bench_1000mb.$kind"
[ -f "$one" ] || bench/analyse_throughput.sh 1000 >/dev/null
large="$out/bench_${copies}x1000mb.$kind"
[ -f "$large" ] || for _ in $(seq "$copies"); do cat "$one"; done > "$large"

printf '%s: %s bytes\n' "$large" "$(stat -c %s "$large")"
for file in "$one" "$large"; do
  /usr/bin/time -f "%e %M" -o "$out/time.txt" "$cli" analyse "$file" --quiet --save "$out/large.tsr" \
    > "$out/large_report.txt"
  read -r seconds kb < "$out/time.txt"
  pictures=$(sed -n 's/^Pictures: //p' "$out/large_report.txt")
  # The first figure; sed reads to the end, so ffprobe never dies of a closed pipe.
  expected=$(ffprobe -v error -select_streams v:0 -count_packets \
    -show_entries stream=nb_read_packets -of csv=p=0 "$file" | sed -n '1s/[^0-9].*//p')
  awk -v f="$file" -v s="$seconds" -v k="$kb" -v p="$pictures" -v e="$expected" \
    -v b="$(stat -c %s "$file")" 'BEGIN {
      printf "  %s: %.2f s, %.0f MB/s, peak RSS %.1f MB, pictures %s (ffprobe %s)%s\n",
        f, s, b / 1e6 / s, k / 1024, p, e, (p == e ? "" : "  MISMATCH") }'
done
grep -E '^(Seconds|GOPs|Average bitrate|Num. of picture|WARNING)' "$out/large_report.txt"
