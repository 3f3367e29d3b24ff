#!/bin/sh
# Seeds for the fuzz targets, from the committed fixtures: the heads of the streams (with a
# leading settings byte), the result files of their analyses, and the heads of the transport
# streams (with a byte that gives their packet size).
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
mkdir -p "$out/transport_stream"
for fixture in "$data"/*.ts "$data"/*.m2ts; do
  name=$(basename "$fixture")
  # The low bits give the packet size (0: 188, 1: 192, 2: 204); 4 sets every sync byte, which
  # streams with junk between their packets must go without.
  case "$name" in
    *.m2ts) options=05 ;;
    *_204.ts) options=06 ;;
    *damaged* | *junk*) options=00 ;;
    *) options=04 ;;
  esac
  for program in 00 08; do
    byte=$(printf '%02x' $((0x$options | 0x$program)))
    { printf "\\$(printf '%03o' "0x$byte")"; head -c 8000 "$fixture"; } \
      > "$out/transport_stream/$name-$byte"
  done
done
