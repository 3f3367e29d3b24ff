#!/bin/sh
# Seeds for the fuzz targets, from the committed fixtures: the heads of the streams (with a
# leading settings byte), the result files of their analyses (also with a 4 GiB trailer), and the
# heads of the transport streams (with a byte that gives their packet size).
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
# The same results as if their streams had passed 4 GiB: each with the trailer of 64-bit
# streamBytes and GOP positions after its picture records.
for result in "$out"/result_file/*.tsr; do
  /usr/bin/python3 - "$result" "${result%.tsr}.wide.tsr" <<'PYTHON'
import struct, sys
data = open(sys.argv[1], "rb").read()
stream_bytes, = struct.unpack_from("<I", data, 188)
seconds, gops = struct.unpack_from("<II", data, 224)
trailer = b"TS64" + struct.pack("<QQ", 8 + 8 * gops, stream_bytes + (1 << 32))
for i in range(gops):
    position, = struct.unpack_from("<I", data, 232 + 24 * seconds + 116 * i + 112)
    trailer += struct.pack("<Q", position + ((i % 2) << 32))
open(sys.argv[2], "wb").write(data + trailer)
PYTHON
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
