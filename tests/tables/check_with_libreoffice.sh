#!/bin/sh
# By-hand check, too slow for every test run: LibreOffice opens the exported tables as a new user
# would. The .xls, converted to CSV by Calc, must give the same cells as the text export (the
# same values, and the same texts when exported as shown); the .doc, converted by Writer, must
# hold one table with a row per grid row.
# Usage: tests/tables/check_with_libreoffice.sh [BUILD [STREAM]]
set -eu
build=${1:-build}
stream=${2:-tests/data/mpeg2_pal_interlaced.vob}
cli="$build/src/cli/tessivo-cli"
command -v libreoffice >/dev/null || {
  echo "needs libreoffice-calc and libreoffice-writer" >&2
  exit 2
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A fresh profile: no settings of an earlier user can hide a warning.
office() { libreoffice -env:UserInstallation="file://$work/profile" --headless "$@" >/dev/null 2>&1; }

status=0
for table in gops seconds; do
  "$cli" analyse "$stream" --quiet --$table "$work/$table.txt" >/dev/null
  "$cli" analyse "$stream" --quiet --$table "$work/$table.xls" --format xls >/dev/null
  "$cli" analyse "$stream" --quiet --$table "$work/$table.doc" >/dev/null
  # Calc's plain CSV export writes a number's value (0 for 0.00); "as shown" keeps its format.
  office --convert-to csv --outdir "$work/calc" "$work/$table.xls"
  office --convert-to "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true" \
    --outdir "$work/shown" "$work/$table.xls"
  if /usr/bin/python3 - "$work/$table.txt" "$work/calc/$table.csv" <<'PY' &&
import csv, sys
def rows(name):
    return list(csv.reader(open(name, newline='', encoding='utf-8')))
def same(a, b):
    try:
        return a == b or float(a) == float(b)
    except ValueError:
        return False
exported, calc = rows(sys.argv[1]), rows(sys.argv[2])
sys.exit(not (len(exported) == len(calc) and all(
    len(x) == len(y) and all(same(a, b) for a, b in zip(x, y)) for x, y in zip(exported, calc))))
PY
    tr -d '\r' <"$work/$table.txt" | cmp -s - "$work/shown/$table.csv"; then
    echo "$table.xls: Calc gives the same cells ($(wc -l <"$work/calc/$table.csv") rows)"
  else
    echo "$table.xls: Calc gives different cells" >&2
    tr -d '\r' <"$work/$table.txt" | diff - "$work/shown/$table.csv" >&2 || true
    status=1
  fi
  office --convert-to odt --outdir "$work/writer" "$work/$table.doc"
  rows=$(unzip -p "$work/writer/$table.odt" content.xml | grep -o '<table:table-row[ >]' | wc -l)
  tables=$(unzip -p "$work/writer/$table.odt" content.xml | grep -o '<table:table ' | wc -l)
  expected=$(wc -l <"$work/$table.txt")
  if [ "$tables" -eq 1 ] && [ "$rows" -eq "$expected" ]; then
    echo "$table.doc: Writer reads one table of $rows rows"
  else
    echo "$table.doc: Writer reads $tables tables, $rows rows; expected 1 table of $expected" >&2
    status=1
  fi
done
exit $status
