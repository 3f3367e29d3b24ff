#!/bin/sh
# Makes the committed test streams from generated test patterns with ffmpeg, mpeg2enc and
# GStreamer. Run it from any folder; it writes next to itself. The outputs are committed, so this
# only needs rerunning when a fixture is added or changed.
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

# Constant-rate MPEG-2 (-minrate = -maxrate = -b:v) whose vbv_delay the buffer tests check, from
# a still noise pattern: I pictures are large, P and B pictures small. The second copy of the
# same source gets a buffer smaller than its I pictures at the lowest quality, so the encoder
# cannot keep to it and reports "rc buffer underflow" (six times).
noise="testsrc2=size=176x144:rate=25:duration=1.2,noise=alls=100:allf=u"
$ff -f lavfi -i "$noise" -c:v mpeg2video -b:v 300k -minrate 300k -maxrate 300k -bufsize 150000 \
  -g 12 -bf 2 -sc_threshold 1000000000 -f mpeg2video vbv_cbr.m2v
$ff -f lavfi -i "$noise" -c:v mpeg2video -b:v 300k -minrate 300k -maxrate 300k -bufsize 16000 \
  -g 12 -bf 2 -sc_threshold 1000000000 -f mpeg2video vbv_cbr_small_buffer.m2v

# mpeg2enc in its constant-rate mode; it writes vbv_delay 0xFFFF, so the buffer is modelled at
# the variable rate. Then film at 24000/1001 frames per second coded with 3:2 pulldown flags.
y4m="ffmpeg -hide_banner -loglevel error -f lavfi"
$y4m -i testsrc2=size=176x144:rate=25:duration=1.2 -pix_fmt yuv420p -f yuv4mpegpipe - |
  mpeg2enc -v 0 -f 3 -b 300 -V 112 -g 12 -G 12 -R 2 --cbr -o vbv_mpeg2enc_cbr.m2v
$y4m -i testsrc2=size=352x480:rate=24000/1001:duration=1 -pix_fmt yuv420p -f yuv4mpegpipe - |
  mpeg2enc -v 0 -f 3 -n n -p -b 600 -V 112 -g 12 -G 12 -R 2 --cbr -o vbv_mpeg2enc_pulldown.m2v

# DVD-Video PAL program streams from ffmpeg's DVD target (4:3 set, as DVD allows 4:3 or 16:9):
# one as the target makes it, one with 20-picture GOPs, one at a constant 12 Mbit/s (mostly
# stuffing, which packs small).
bars="smptebars=size=720x576:rate=25:duration=1.2"
$ff -f lavfi -i "$bars" -target pal-dvd -aspect 4:3 -an dvd_pal.vob
$ff -f lavfi -i "$bars" -target pal-dvd -aspect 4:3 -g 20 -an dvd_pal_gop20.vob
$ff -f lavfi -i "$bars" -target pal-dvd -aspect 4:3 -an -b:v 12000k -minrate:v 12000k \
  -maxrate:v 12000k -bufsize:v 1835008 dvd_pal_12mbit.vob 2>/dev/null

# Transport streams, from the streams above, by two multiplexers: ffmpeg's mpegts muxer and
# GStreamer's mpegtsmux, each with 188-byte packets and with 192-byte ones (a 4-byte arrival
# time before each packet, as Blu-ray and AVCHD recordings have).
gst="gst-launch-1.0 -q"
$ff -fflags +genpts -r 25 -i vbv_cbr.m2v -c:v copy -f mpegts ts_ffmpeg.ts
$ff -fflags +genpts -r 25 -i vbv_cbr.m2v -c:v copy -f mpegts -mpegts_m2ts_mode 1 ts_ffmpeg.m2ts
$gst filesrc location=vbv_cbr.m2v ! mpegvideoparse ! mpegtsmux ! filesink location=ts_gst.ts
$gst filesrc location=vbv_cbr.m2v ! mpegvideoparse ! mpegtsmux m2ts-mode=true \
  ! filesink location=ts_gst.m2ts
# Two programs, one video each; the DVD-style program stream and the MPEG-1 system stream (video
# and MPEG audio) remultiplexed.
$ff -fflags +genpts -r 25 -i vbv_cbr.m2v -fflags +genpts -r 25 -i vbv_mpeg2enc_cbr.m2v \
  -map 0:v -map 1:v -c copy -program program_num=1:title=One:st=0 \
  -program program_num=2:title=Two:st=1 -f mpegts ts_two_programs.ts
$ff -i dvd_pal.vob -c copy -f mpegts ts_dvd_pal.ts
$ff -i mpeg1_cif25_system.mpg -c copy -f mpegts ts_mpeg1_system.ts
# Transport streams without MPEG video: H.264 only, MPEG audio only.
$ff -f lavfi -i testsrc2=size=176x144:rate=25:duration=0.4 -c:v libx264 -preset ultrafast \
  -f mpegts ts_h264.ts
$ff -f lavfi -i sine=frequency=440:sample_rate=48000:duration=1 -c:a mp2 -b:a 64k \
  -f mpegts ts_audio.ts
# 204-byte packets, damaged copies, null packets and junk, no PSI, scrambled video, and time
# stamps that hold sync bytes: rewritten from the ffmpeg streams by ts_variants.py.
variants="/usr/bin/python3 ts_variants.py"
$variants 204 ts_ffmpeg.ts ts_ffmpeg_204.ts
$variants damaged ts_ffmpeg.ts ts_damaged.ts
$variants nulls-and-junk ts_ffmpeg.ts ts_nulls_junk.ts
$variants without-psi ts_ffmpeg.ts ts_no_psi.ts
$variants scrambled-video ts_ffmpeg.ts ts_scrambled.ts
$variants sync-in-arrival-times ts_ffmpeg.m2ts ts_sync_in_arrival_times.m2ts

# results/ holds the result file tessivo-cli saved for each stream when it was made
# (`tessivo-cli analyse F --save results/F.tsr`, the system stream also with --no-pack-check):
# the tests check that every later analysis saves the same records. Resave them only when a
# fixture itself is remade.
