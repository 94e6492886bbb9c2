#!/usr/bin/env bash
# Start-up of the real executable as a user meets it: from spawning the
# process until its window is mapped and visible on a virtual X server.
# The program reads no switches or environment, so it is timed from outside:
# a copy of it sits beside the given database in a directory of its own.
#
# Usage: bench/startup_xvfb.sh <lexaran executable> <term database> [runs]
# Needs xvfb and xdotool (scripts/setup.sh installs them).
set -euo pipefail

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

# A display of its own, away from the low numbers other sessions take.
display=""
for n in $(seq 200 299); do
  if [ ! -e "/tmp/.X$n-lock" ]; then
    display=$n
    break
  fi
done
if [ -z "$display" ]; then
  echo "startup_xvfb: no free X display between :200 and :299" >&2
  exit 1
fi
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
deadline=$(( $(date +%s) + 30 ))
# Ready when it answers; a left-over socket of another server is not enough.
until DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; do
  if ! kill -0 "$xvfb" 2>/dev/null || [ "$(date +%s)" -gt "$deadline" ]; then
    echo "startup_xvfb: Xvfb did not start on :$display within 30 seconds" >&2
    exit 1
  fi
  sleep 0.05
done
export DISPLAY=":$display"

echo "| run | process start to window mapped (ms) |"
echo "|---:|---:|"
for run in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  "$work/lexaran" >/dev/null 2>"$work/stderr" &
  app=$!
  limit=$(( start + 60000000000 ))
  until xdotool search --onlyvisible --pid "$app" >/dev/null 2>&1; do
    if [ "$(date +%s%N)" -gt "$limit" ]; then
      kill "$app" 2>/dev/null || true
      echo "startup_xvfb: no window within 60 seconds; the program said:" >&2
      cat "$work/stderr" >&2
      exit 1
    fi
  done
  end=$(date +%s%N)
  echo "| $run | $(( (end - start) / 1000000 )) |"
  kill "$app" 2>/dev/null || true
  wait "$app" 2>/dev/null || true
done
