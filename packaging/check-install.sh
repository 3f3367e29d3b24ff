#!/bin/sh
# Installs the build into a temporary prefix and checks what lands there: exactly the expected
# files, programs that run from it, icons of the stated sizes, manual pages that render cleanly
# and name every command, option and exit status the programs' help gives, a valid desktop
# entry, AppStream metadata and MIME package.
# Usage: check-install.sh BUILD_DIR VERSION APP_ID WITH_GUI(0|1)
set -eu
build=$1
version=$2
app_id=$3
with_gui=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
prefix=$root/usr
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
  cat "$work/install.log" >&2
  exit 1
}

icon_sizes="16 22 24 32 48 64 128 256"
{
  echo bin/tessivo-cli
  echo share/doc/tessivo/changelog.gz
  echo share/doc/tessivo/copyright
  echo share/man/man1/tessivo-cli.1.gz
  if [ "$with_gui" = 1 ]; then
    echo bin/tessivo
    echo share/man/man1/tessivo.1.gz
    echo "share/applications/$app_id.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    echo share/mime/packages/tessivo.xml
    echo share/icons/hicolor/scalable/apps/tessivo.svg
    for size in $icon_sizes; do echo "share/icons/hicolor/${size}x$size/apps/tessivo.png"; done
  fi
} | sort >"$work/expected"
(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/installed"
diff -u "$work/expected" "$work/installed" >"$work/files.diff" ||
  fail "installed files differ from the expected ones:
$(cat "$work/files.diff")"

programs=tessivo-cli
[ "$with_gui" = 1 ] && programs="tessivo-cli tessivo"
for program in $programs; do
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --version) ||
    fail "$program --version failed"
  [ "$output" = "$program $version" ] || fail "$program --version printed \"$output\""
done

# A page renders without a groff warning and names every command, option and exit status.
check_manual_page() {
  program=$1
  page=$prefix/share/man/man1/$program.1.gz
  [ -f "$page" ] || return 0
  zcat "$page" | groff -man -ww -Tutf8 -z 2>"$work/groff.warn"
  [ ! -s "$work/groff.warn" ] || fail "$program.1: $(cat "$work/groff.warn")"
  zcat "$page" | groff -man -Tascii -P-cbou 2>/dev/null | tr -s ' \n' '  ' >"$work/page.txt"
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" --help)
  options=$(printf '%s\n' "$help" | grep -oE -- '(^|[][ |])--?[a-z][a-z-]*' | sed 's/^[^-]*//')
  for option in $(printf '%s\n' "$options" | sort -u); do
    grep -q -F -- " $option" "$work/page.txt" || fail "$program.1 does not mention $option"
  done
  for command in $(printf '%s\n' "$help" | sed -n "s/^  $program \([a-z][a-z]*\).*/\1/p"); do
    grep -q -F -- "$command" "$work/page.txt" || fail "$program.1 does not mention $command"
  done
  printf '%s\n' "$help" | tr '\n' ' ' | sed -n 's/.*Exit codes: \([^.]*\)\..*/\1/p' |
    tr ',' '\n' | sed 's/^ *//; s/  */ /g; /^$/d' >"$work/exit-codes"
  while read -r code || [ -n "$code" ]; do
    grep -q -F -- " $code" "$work/page.txt" || fail "$program.1 lacks the exit status \"$code\""
  done <"$work/exit-codes"
}
for program in $programs; do check_manual_page "$program"; done
[ "$(zcat "$prefix/share/man/man1/tessivo-cli.1.gz" | sed -n 1p)" = \
  ".TH TESSIVO-CLI 1 \"December 2026\" \"Tessivo $version\" \"User Commands\"" ] ||
  fail "tessivo-cli.1 does not carry the version $version"
zcat "$prefix/share/doc/tessivo/changelog.gz" | head -n 1 | grep -q "^tessivo ($version) " ||
  fail "the changelog's last entry is not $version"

if [ "$with_gui" = 1 ]; then
  desktop=$prefix/share/applications/$app_id.desktop
  desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 ||
    fail "desktop-file-validate: $(cat "$work/desktop.log")"
  exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [ -x "$prefix/bin/$exec_program" ] || fail "the desktop entry runs $exec_program, not installed"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "the desktop entry's icon $icon is not installed"

  for size in $icon_sizes; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/tessivo.png
    [ -f "$png" ] || continue
    dimensions=$(od -An -tu1 -j16 -N8 "$png" |
      awk '{ printf "%d %d", (($1 * 256 + $2) * 256 + $3) * 256 + $4, (($5 * 256 + $6) * 256 + $7) * 256 + $8 }')
    [ "$dimensions" = "$size $size" ] || fail "the ${size}x$size icon is $dimensions"
  done

  appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" \
    >"$work/metainfo.log" 2>&1 || fail "appstreamcli validate: $(cat "$work/metainfo.log")"
  grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo file's newest release is not $version"

  # The database built from the package alone: each type resolves as meant.
  mkdir -p "$work/mime/packages"
  cp "$prefix/share/mime/packages/tessivo.xml" "$work/mime/packages/"
  XDG_DATA_DIRS=$work update-mime-database "$work/mime" >"$work/mime.log" 2>&1 ||
    fail "update-mime-database: $(cat "$work/mime.log")"
  [ ! -s "$work/mime.log" ] || fail "update-mime-database: $(cat "$work/mime.log")"
  for glob in "application/x-tessivo-result:\*.tsr" "video/mpeg:\*.m2v" "video/x-m2ts:\*.m2ts"; do
    grep -q ":$glob$" "$work/mime/globs2" 2>/dev/null || fail "no glob $glob"
  done
  grep -q "^video/x-m2ts video/mp2t$" "$work/mime/subclasses" 2>/dev/null ||
    fail "video/x-m2ts is not a kind of video/mp2t"
  for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    grep -q "<mime-type type=\"$type\"" "$prefix/share/mime/packages/tessivo.xml" \
      /usr/share/mime/packages/freedesktop.org.xml ||
      fail "the desktop entry opens $type, which no MIME package defines"
  done
fi

[ $failures -eq 0 ] || exit 1
echo "The installation holds $(wc -l <"$work/installed") files, all as expected."
