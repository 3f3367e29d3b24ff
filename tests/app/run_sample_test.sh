#!/bin/sh
# The launcher behind make run, as a user meets it: without a reachable display it analyses the
# sample with tessivo-cli and says so; under an X server it opens the main window on the sample.
# Usage: run_sample_test.sh SOURCE_DIR BUILD_DIR
set -eu
source_dir=$1
build=$2
sample=$source_dir/tests/data/mpeg2_pal_interlaced.vob
launcher=$source_dir/scripts/run-sample.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
XDG_CONFIG_HOME=$work/config
export XDG_CONFIG_HOME

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$build/src/cli/tessivo-cli" analyse "$sample" >"$work/expected.out"

# No display at all, then names that reach nothing: the CLI runs, after the notice.
free_x=99
while [ -e "/tmp/.X11-unix/X$free_x" ] || [ -e "/tmp/.X$free_x-lock" ]; do free_x=$((free_x + 1)); done
for case in none stale; do
  if [ $case = none ]; then
    env -u DISPLAY -u WAYLAND_DISPLAY sh "$launcher" "$build" "$sample" >"$work/$case.out"
  else
    env DISPLAY=":$free_x" WAYLAND_DISPLAY=no-such-socket XDG_RUNTIME_DIR="$work" \
      sh "$launcher" "$build" "$sample" >"$work/$case.out"
  fi
  head -n 1 "$work/$case.out" | grep -q "^No display can be reached" ||
    fail "$case: no notice: $(head -n 1 "$work/$case.out")"
  tail -n +4 "$work/$case.out" | cmp -s - "$work/expected.out" ||
    fail "$case: the launcher's analysis differs from tessivo-cli analyse"
done

# An X server: the window named Tessivo is mapped and stays up until it is closed.
xvfb-run -a -s "-screen 0 1280x800x24" env -u WAYLAND_DISPLAY sh -c '
  sh "$1" "$2" "$3" >"$4/window.out" 2>&1 &
  launcher=$!
  tries=0
  until xwininfo -name Tessivo 2>/dev/null | grep -q "Map State: IsViewable"; do
    tries=$((tries + 1))
    if [ $tries -gt 300 ] || ! kill -0 $launcher 2>/dev/null; then
      echo "no Tessivo window appeared" >&2
      kill $launcher 2>/dev/null
      exit 1
    fi
    sleep 0.1
  done
  sleep 2
  kill -0 $launcher || { echo "the application ended by itself" >&2; exit 1; }
  kill $launcher
  wait $launcher || true
' sh "$launcher" "$build" "$sample" "$work" || fail "window: $(cat "$work/window.out")"
grep -q "^Opening the desktop application on $sample (X11 display " "$work/window.out" ||
  fail "window: no opening notice: $(cat "$work/window.out")"
