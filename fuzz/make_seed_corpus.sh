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
