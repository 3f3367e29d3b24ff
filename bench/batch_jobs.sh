#!/bin/bash
# The speed-up of analysing several files at once: eight copies of a fixture stream, each the
# fixture repeated REPEATS times, analysed with --jobs 1 and --jobs 2 (page cache warm, best of
# ROUNDS, the two alternating), with the CPU share of the fastest run: on a machine busy with other work the wall
# time gains less than the share shows. The summaries of both runs must be the same.
#
#   bench/batch_jobs.sh [REPEATS] [ROUNDS] [FIXTURE]     default 150 3 dvd_pal_12mbit.vob
set -euo pipefail
cd "$(dirname "$0")/.."
repeats=${1:-150}
rounds=${2:-3}
fixture=tests/data/${3:-dvd_pal_12mbit.vob}
out=bench/out/batch
cli=build/src/cli/tessivo-cli
mkdir -p "$out"
extension=${fixture##*.}
one="$out/stream_${repeats}x.$extension"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
[ -f "$one" ] || for _ in $(seq "$repeats"); do cat "$fixture"; done > "$one"
inputs=()
for copy in 1 2 3 4 5 6 7 8; do
  name="$out/copy$copy.$extension"
  [ -f "$name" ] || cp "$one" "$name"
  inputs+=("$name")
done
cat "${inputs[@]}" > /dev/null
printf '8 x %s bytes (%s x %s), %s cores\n' "$(stat -c %s "$one")" "$repeats" "$fixture" "$(nproc)"

# One run; prints its wall time and CPU share.
run() {
  /usr/bin/time -f "%e %P" -o "$out/time.txt" "$cli" analyse "${inputs[@]}" --jobs "$1" \
    --quiet --summary "$out/summary_jobs$1.csv" > /dev/null
  cat "$out/time.txt"
}

faster() {
  if [ -z "$1" ] || awk -v a="${2% *}" -v b="${1% *}" 'BEGIN { exit !(a < b) }'; then
    echo "$2"
  else
    echo "$1"
  fi
}

# The two alternate, so that other work on the machine weighs on both alike.
best1=""
best2=""
for _ in $(seq "$rounds"); do
  best1=$(faster "$best1" "$(run 1)")
  best2=$(faster "$best2" "$(run 2)")
done
read -r one_job one_share <<< "$best1"
read -r two_jobs two_share <<< "$best2"
bytes=$((8 * $(stat -c %s "$one")))
awk -v a="$one_job" -v b="$two_jobs" -v n="$bytes" -v p="$one_share" -v q="$two_share" 'BEGIN {
  printf "  --jobs 1: %.2f s, %.0f MB/s, CPU %s\n  --jobs 2: %.2f s, %.0f MB/s, CPU %s\n",
    a, n / 1e6 / a, p, b, n / 1e6 / b, q
  printf "  speed-up: %.2f\n", a / b }'
if cmp -s "$out/summary_jobs1.csv" "$out/summary_jobs2.csv"; then
  echo "  summaries: the same"
else
  echo "  summaries: DIFFERENT"
  exit 1
fi
