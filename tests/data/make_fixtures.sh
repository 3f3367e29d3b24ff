#!/bin/sh
# Makes the committed test streams from generated test patterns with ffmpeg. Run it from any
# folder; it writes next to itself. The outputs are committed, so this only needs rerunning when
# a fixture is added or changed.
set -eu
cd "$(dirname "$0")"
ff="ffmpeg -hide_banner -loglevel error -y -bitexact"

# MPEG-1 video elementary stream: CIF, 25 frames per second, 4 seconds, GOPs of 12 with B pictures.
$ff -f lavfi -i testsrc2=size=352x288:rate=25:duration=4 \
  -c:v mpeg1video -b:v 800k -maxrate 800k -bufsize 327680 -g 12 -bf 2 -sc_threshold 1000000000 \
  -f mpeg1video mpeg1_cif25.m1v

# MPEG-1 system stream of that video with MPEG audio.
$ff -i mpeg1_cif25.m1v -f lavfi -i sine=frequency=440:sample_rate=44100:duration=4 \
  -c:v copy -c:a mp2 -b:a 128k -f mpeg mpeg1_cif25_system.mpg

# MPEG-2 video elementary stream: half D1 PAL, interlaced, top field first, variable bitrate.
$ff -f lavfi -i testsrc2=size=352x576:rate=25:duration=3 \
  -vf setfield=tff -flags +ilme+ildct -top 1 \
  -c:v mpeg2video -b:v 1500k -maxrate 2500k -bufsize 1835008 -g 15 -bf 2 \
  -sc_threshold 1000000000 -f mpeg2video mpeg2_pal_interlaced.m2v

# DVD-style program stream (2048-byte packs) muxed from that elementary stream, with AC-3 audio.
$ff -i mpeg2_pal_interlaced.m2v -f lavfi -i sine=frequency=1000:sample_rate=48000:duration=3 \
  -c:v copy -c:a ac3 -b:a 192k -f dvd mpeg2_pal_interlaced.vob

# MPEG-2 at 30000/1001 frames per second, progressive, closed GOPs.
$ff -f lavfi -i mandelbrot=size=352x240:rate=30000/1001 -t 2 \
  -c:v mpeg2video -b:v 600k -g 18 -bf 2 -flags +cgop -sc_threshold 1000000000 \
  -f mpeg2video mpeg2_ntsc_progressive.m2v
