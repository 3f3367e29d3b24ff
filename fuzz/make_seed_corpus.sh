#!/bin/sh
# Seeds for the fuzz targets, from the committed fixtures: the heads of the streams (with a
# leading settings byte) and the result files of their analyses.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
data="$here/../tests/data"
cli=$1
out=$2
mkdir -p "$out/analysis" "$out/result_file"
for fixture in "$data"/*.m1v "$data"/*.m2v "$data"/*.mpg "$data"/*.vob; do
  name=$(basename "$fixture")
  for settings in 01 fd; do
    { printf "\\$(printf '%03o' "0x$settings")"; head -c 24000 "$fixture"; } \
      > "$out/analysis/$name-$settings"
  done
  "$cli" analyse "$fixture" --quiet --no-pack-check --save "$out/result_file/$name.tsr" >/dev/null
done
mkdir -p "$out/stream_copy"
for fixture in "$data"/*.m1v "$data"/*.m2v; do
  name=$(basename "$fixture")
  for options in 00000000000000000000000000000000 3f0102ffa0bb0d00b000010061626300 \
      251506070c0000001f000000414243ff; do
    { printf '%s' "$options" | sed 's/../\\x&/g' | xargs -0 printf; head -c 24000 "$fixture"; } \
      > "$out/stream_copy/$name-$options"
  done
done
