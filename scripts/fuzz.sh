#!/usr/bin/env bash
# Runs every fuzzer of a fuzz build for a bounded time, starting from the
# seed corpus in the repository (tests/fuzz/corpus/<name>, named as the
# fuzzer without its fuzz_ prefix) (new inputs go to a scratch copy). Any
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
list="$build/tests/fuzz/fuzzers.txt"
if [ ! -s "$list" ]; then
  echo "no fuzzer list at $list: configure and build the fuzz preset first" >&2
  exit 1
fi
status=0
while read -r target; do
  name="${target#fuzz_}"
  mkdir -p "$scratch/$name"
  cp tests/fuzz/corpus/$name/* "$scratch/$name/"
  echo "fuzz_$name: ${seconds}s"
  # libFuzzer stops itself after the given time; the outer limit catches a
  # fuzzer that hangs outside its own timing.
  if ! QT_QPA_PLATFORM=offscreen timeout --kill-after=10 "$((seconds + 120))" \
        "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -artifact_prefix="$build/fuzz-findings/$name-" -print_final_stats=1 "$scratch/$name" \
        < /dev/null > "$scratch/$name.log" 2>&1; then
    tail -n 40 "$scratch/$name.log"
    echo "fuzz_$name failed or ran longer than $((seconds + 120))s"
    for finding in "$build/fuzz-findings/$name-"*; do
      [ -e "$finding" ] && { echo "finding: $finding"; od -c "$finding" | head -n 20; }
    done
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$scratch/$name.log" | tail -n 2
  fi
done < "$list"
exit $status
