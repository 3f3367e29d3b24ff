#!/bin/sh
# Checks the Debian package as a fresh Debian 12 meets it: lintian reports no error, and in a
# minimal bookworm made by debootstrap, `apt-get install ./tessivo_*.deb` brings in what the
# package needs and both programs run: --version, an analysis, the window offscreen and on an
# X server. Slow (it downloads a base system), so it is run by hand, as root, not by make test.
# Usage: packaging/check-deb.sh [PACKAGE.deb]
#   Without a package, the one in build/ is used, made by `make package` when missing.
#   MIRROR overrides the Debian mirror (default: the first one this machine's apt uses);
#   KEEP_ROOT=1 leaves the bookworm folder in place for a look.
set -eu
cd "$(dirname "$0")/.."
[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (debootstrap and chroot need it)" >&2; exit 1; }

missing=""
for tool in lintian debootstrap; do command -v $tool >/dev/null 2>&1 || missing="$missing $tool"; done
if [ -n "$missing" ]; then
  echo "Installing:$missing"
  apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

if [ $# -ge 1 ]; then
  package=$1
else
  set -- build/tessivo_*.deb
  [ -f "$1" ] || make package
  set -- build/tessivo_*.deb
  package=$1
fi
[ -f "$package" ] || { echo "$0: no package $package" >&2; exit 1; }
version=$(dpkg-deb -f "$package" Version)
echo "== lintian $package"
lintian --fail-on error --display-level ">=warning" "$package"

mirror=${MIRROR:-}
if [ -z "$mirror" ]; then
  mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | sed -n 's/^URIs: *\([^ ]*\).*/\1/p' |
    grep -v security | head -n 1)
fi
if [ -z "$mirror" ]; then
  mirror=$(sed -n 's/^deb  *\([^ ]*\)  *bookworm .*/\1/p' /etc/apt/sources.list 2>/dev/null | head -n 1)
fi
[ -n "$mirror" ] || { echo "$0: no Debian mirror found; set MIRROR" >&2; exit 1; }

root=$(mktemp -d /var/tmp/tessivo-bookworm.XXXXXX)
chmod 755 "$root"  # apt downloads as its own user, who must reach the folder
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  if [ "${KEEP_ROOT:-0}" = 1 ]; then echo "The bookworm folder stays: $root"; else rm -rf "$root"; fi
}
trap cleanup EXIT

echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || {
  tail -n 20 "$root.log" >&2
  exit 1
}
rm -f "$root.log"
mount -t proc proc "$root/proc" 2>/dev/null || echo "(no /proc in the chroot: mount refused)"
cp "$package" "$root/tmp/"
cp tests/data/mpeg2_pal_interlaced.vob "$root/tmp/sample.vob"
in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

echo "== apt-get install ./$(basename "$package")"
in_root apt-get update -qq
in_root sh -c "cd /tmp && apt-get install -y -q ./$(basename "$package")" >"$root/tmp/install.log" 2>&1 || {
  tail -n 30 "$root/tmp/install.log" >&2
  exit 1
}
grep -E "^(Setting up tessivo|Processing triggers)" "$root/tmp/install.log" || true

failures=0
check() {
  description=$1
  shift
  if "$@"; then echo "ok: $description"; else echo "FAIL: $description"; failures=$((failures + 1)); fi
}
check "tessivo-cli --version prints tessivo-cli $version" \
  test "$(in_root tessivo-cli --version)" = "tessivo-cli $version"
check "tessivo --version prints tessivo $version" \
  test "$(in_root tessivo --version)" = "tessivo $version"
check "tessivo-cli analyses the sample: 75 pictures" \
  sh -c "chroot '$root' tessivo-cli analyse /tmp/sample.vob | grep -q '^Pictures: 75$'"
check "both manual pages and the desktop entry are in place" sh -c "cd '$root/usr/share' &&
  test -f man/man1/tessivo.1.gz && test -f man/man1/tessivo-cli.1.gz &&
  test -f applications/example.marrek_ltd.Tessivo.desktop"

# The window: still up after five seconds means Qt found its libraries, plugins and fonts.
window_stays_up() {
  in_root "$@" >"$root/tmp/window.log" 2>&1 && status=0 || status=$?
  [ $status -eq 124 ] || { cat "$root/tmp/window.log"; return 1; }
}
check "the window runs offscreen" window_stays_up env QT_QPA_PLATFORM=offscreen \
  XDG_RUNTIME_DIR=/tmp timeout 5 tessivo /tmp/sample.vob
in_root apt-get install -y -q --no-install-recommends xvfb xauth >/dev/null 2>&1
check "the window runs on an X server" window_stays_up xvfb-run -a \
  -s "-screen 0 1280x800x24" env XDG_RUNTIME_DIR=/tmp timeout 5 tessivo /tmp/sample.vob

[ $failures -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "The package installs and runs on a fresh Debian 12."
