#!/bin/sh
# Opens the desktop application on the sample stream when a display can be reached; without one,
# analyses the sample with tessivo-cli and says so.
# Usage: scripts/run-sample.sh BUILD_DIR SAMPLE
set -eu
[ $# -eq 2 ] || { echo "Usage: $0 BUILD_DIR SAMPLE" >&2; exit 64; }
build=$1
sample=$2

x11_usable() {
  [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

wayland_usable() {
  [ -n "${WAYLAND_DISPLAY:-}" ] || return 1
  case $WAYLAND_DISPLAY in
    /*) socket=$WAYLAND_DISPLAY ;;
    *) socket=${XDG_RUNTIME_DIR:-/nonexistent}/$WAYLAND_DISPLAY ;;
  esac
  [ -S "$socket" ]
}

if x11_usable; then
  echo "Opening the desktop application on $sample (X11 display $DISPLAY)."
  exec "$build/src/app/tessivo" "$sample"
fi
if wayland_usable; then
  echo "Opening the desktop application on $sample (Wayland display $WAYLAND_DISPLAY)."
  # Without an X server beside it, only the Wayland platform can show the window.
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-wayland}
  export QT_QPA_PLATFORM
  exec "$build/src/app/tessivo" "$sample"
fi
echo "No display can be reached (DISPLAY and WAYLAND_DISPLAY unset or not answering):"
echo "analysing $sample with tessivo-cli instead of opening the desktop application."
echo
exec "$build/src/cli/tessivo-cli" analyse "$sample"
