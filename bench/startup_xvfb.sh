#!/usr/bin/env bash
# Start-up of the real executable as a user meets it: from spawning the
# process until its window is mapped and visible on a virtual X server.
# The program reads no switches or environment, so it is timed from outside:
# a copy of it sits beside the given database in a directory of its own.
#
# Usage: bench/startup_xvfb.sh <lexaran executable> <term database> [runs]
# Needs xvfb and xdotool (scripts/setup.sh installs them).
set -euo pipefail
# shellcheck source=../scripts/lib/x11.sh
. "$(dirname "$0")/../scripts/lib/x11.sh"

exe=$1
db=$2
runs=${3:-5}

work=$(mktemp -d)
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp "$exe" "$work/lexaran"
ln -s "$(readlink -f "$db")" "$work/termins.db"

x11_start_xvfb "$work" 1280x1024x24 || exit 1
xvfb=$XVFB_PID

echo "| run | process start to window mapped (ms) |"
echo "|---:|---:|"
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$work/lexaran" >/dev/null 2>"$work/stderr" &
  app=$!
  if ! x11_wait_window "$app" 60 "$work/stderr"; then
    kill "$app" 2>/dev/null || true
    exit 1
  fi
  end=$(date +%s%N)
  echo "| $run | $(( (end - start) / 1000000 )) |"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
done
