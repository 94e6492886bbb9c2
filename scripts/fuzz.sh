#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for a bounded time, starting from the
# seed corpus in the repository (new inputs go to a scratch copy). Any
# finding fails the run and is kept in <build>/fuzz-findings; once mended,
# add it to tests/fuzz/corpus/<target>/ as a regression case.
# Usage: scripts/fuzz.sh [build-dir] [seconds-each]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/fuzz}"
seconds="${2:-30}"
scratch="$(mktemp -d)"
mkdir -p "$build/fuzz-findings"
trap 'rm -rf "$scratch"' EXIT
status=0
for name in countsql searchsql termfile texts; do
  mkdir -p "$scratch/$name"
  cp tests/fuzz/corpus/$name/* "$scratch/$name/"
  echo "fuzz_$name: ${seconds}s"
  # libFuzzer stops itself after the given time; the outer limit catches a
  # fuzzer that hangs outside its own timing.
  if ! QT_QPA_PLATFORM=offscreen timeout --kill-after=10 "$((seconds + 120))" \
        "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$build/fuzz-findings/$name-" -print_final_stats=1 "$scratch/$name" \
        > "$scratch/$name.log" 2>&1; then
    tail -n 40 "$scratch/$name.log"
    echo "fuzz_$name failed or ran longer than $((seconds + 120))s"
    for finding in "$build/fuzz-findings/$name-"*; do
      [ -e "$finding" ] && { echo "finding: $finding"; od -c "$finding" | head -n 20; }
    done
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$scratch/$name.log" | tail -n 2
  fi
done
exit $status
