#!/bin/sh
# Installs the Debian packages that building, testing and the sample run need, when missing.
set -eu

packages="cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev ffmpeg time
  qt6-base-dev qt6-svg-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra clang libclang-rt-14-dev
  libgsf-1-dev python3-xlrd poppler-utils qt6-wayland x11-utils xvfb xauth
  librsvg2-bin desktop-file-utils appstream shared-mime-info groff-base
  mjpegtools libbitstream-dev gstreamer1.0-tools gstreamer1.0-plugins-base
  gstreamer1.0-plugins-bad clang-tidy"

missing=""
for package in $packages; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $package"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
  as_root=""
elif command -v sudo >/dev/null 2>&1; then
  as_root="sudo"
else
  echo "Missing packages:$missing; run this script as root to install them." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$as_root apt-get update -qq
# shellcheck disable=SC2086
$as_root apt-get install -y -qq --no-install-recommends $missing
