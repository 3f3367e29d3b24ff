#!/bin/sh
# Runs every fuzz target over its seed corpus: run_fuzzers.sh BUILD_DIR -max_total_time=20
# (any libFuzzer options). Fails on the first finding; its input is kept in BUILD_DIR/artifacts.
set -eu
build=$1
shift
mkdir -p "$build/artifacts"
for target in "$build"/fuzz/fuzz_*; do
  name=$(basename "$target" | sed 's/^fuzz_//')
  log="$build/fuzz_$name.log"
  if ! "$target" -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/artifacts/" "$@" \
      "$build/corpus/$name" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz_$name found a fault; the input is in $build/artifacts/" >&2
    exit 1
  fi
  printf 'fuzz_%s: %s executions, %s\n' "$name" \
    "$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")" \
    "$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | grep -oE 'cov: [0-9]+ ft: [0-9]+')"
done
