#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs one fuzz target for a set time over a copy of its seed corpora and
# prints how many inputs it ran and the coverage it reached. Exits non-zero
# when the target finds a fault; the input is then in WORK_DIR/crashes/.
#
#   run-fuzzer.sh TARGET SECONDS WORK_DIR SEED_DIR...
set -eu
target=$1 seconds=$2 work=$3
shift 3
name=$(basename "$target")

# The seeds are copied, so the inputs a run finds never land in the source tree.
mkdir -p "$work/corpus" "$work/crashes"
for seeds in "$@"; do
  [ -d "$seeds" ] && cp "$seeds"/* "$work/corpus/"
done
log=$work/last-run.log

status=0
ASAN_OPTIONS=abort_on_error=0:detect_leaks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "$work/corpus" >"$log" 2>&1 || status=$?

# The last status line reads "#<inputs> DONE cov: <edges> ft: <features> corp: <n>/<size> ...".
if [ "$status" -eq 0 ]; then
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
  field() { printf '%s\n' "$last" | sed -n "s/.* $1: \([^ ]*\).*/\1/p"; }
  printf '%-22s %10s inputs in %ss   cov: %s edges   ft: %s features   corpus: %s\n' \
    "$name" "$runs" "$seconds" "$(field cov)" "$(field ft)" "$(field corp)"
else
  echo "$name found a fault (exit $status); its log is $log:" >&2
  tail -n 60 "$log" >&2
  exit "$status"
fi
