#!/usr/bin/env bash
# Runs the README's two commands as a new user would, on a fresh Debian of
# the given release: a minimal root file system (debootstrap, variant
# minbase, with git), the checkout's HEAD cloned into it, each command under
# `env -i` with no locale, as root.
#   run   ./scripts/run.sh must build and open the dictionary's window on a
#         virtual display handed into the root; the window is then closed.
#   test  ./scripts/test.sh must pass.
# On the machine itself it needs debootstrap and the virtual display with
# its window manager (scripts/setup.sh fresh).
# The pristine root is made once and kept as a tarball in
# $LEXARAN_FRESH_CACHE (default /var/cache/lexaran-fresh); each run unpacks
# a new copy into a scratch folder, which is removed afterwards with every
# mount it needed. The Windows build's cache (/var/cache/lexaran-windows) is
# not handed in: a fresh machine builds it too.
# Usage: scripts/fresh-machine-check.sh bookworm|trixie run|test|both
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
# shellcheck source=scripts/lib/x11.sh
. scripts/lib/x11.sh

release="${1:-}"
what="${2:-}"
case "$release" in bookworm | trixie) ;; *) echo "usage: $0 bookworm|trixie run|test|both" >&2; exit 2 ;; esac
case "$what" in run | test | both) ;; *) echo "usage: $0 bookworm|trixie run|test|both" >&2; exit 2 ;; esac
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine-check: needs root (debootstrap, chroot, mounts)" >&2; exit 1; }
say() { echo "fresh-machine-check ($release): $*"; }
fail() {
  echo "fresh-machine-check ($release): FAIL: $*" >&2
  exit 1
}

scripts/setup.sh fresh

cache="${LEXARAN_FRESH_CACHE:-/var/cache/lexaran-fresh}"
pristine="$cache/$release-minbase.tar"
if [ ! -s "$pristine" ]; then
  mkdir -p "$cache"
  making="$(mktemp -d "$cache/making.XXXXXX")"
  say "making a minimal $release root (once; kept in $pristine)"
  timeout 1800 debootstrap --variant=minbase --include=git "$release" "$making/root" http://deb.debian.org/debian \
    >"$making/debootstrap.log" 2>&1 || {
    tail -n 20 "$making/debootstrap.log" >&2
    rm -rf "$making"
    fail "debootstrap of $release failed or took longer than 30 minutes"
  }
  tar -C "$making/root" -cf "$pristine.part" . && mv "$pristine.part" "$pristine"
  rm -rf "$making"
fi

work="$(mktemp -d /var/tmp/lexaran-fresh.XXXXXX)"
target="$work/root"
mounts=()
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # Whatever the commands left running inside the root holds its mounts.
  for pid in $(ls /proc | grep -E '^[0-9]+$'); do
    [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$target" ] && kill -9 "$pid" 2>/dev/null || true
  done
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
mkdir -p "$target"
tar -C "$target" -xf "$pristine"
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$target/$fs"
  mounts+=("$target/$fs")
done
cp /etc/resolv.conf "$target/etc/resolv.conf"
git clone -q --no-hardlinks "$root" "$target/root/lexaran"

# Inside the root: as root, no environment but a path, a home and what the
# step adds.
inside() {
  local limit="$1"
  shift
  timeout "$limit" chroot "$target" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root "$@"
}

if [ "$what" != test ]; then
  say "./scripts/run.sh, with a display"
  x11_start_xvfb "$work" 1280x800x24 || fail "no virtual display (above)"
  pids+=("$XVFB_PID")
  x11_start_openbox "$work" || fail "no window manager (above)"
  pids+=("$OPENBOX_PID")
  mkdir -p "$target/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$target/tmp/.X11-unix"
  mounts+=("$target/tmp/.X11-unix")
  started=$SECONDS
  inside 3600 DISPLAY="$DISPLAY" sh -c 'cd /root/lexaran && ./scripts/run.sh' >"$work/run.log" 2>&1 &
  run_pid=$!
  pids+=("$run_pid")
  deadline=$((SECONDS + 3600))
  window=""
  until window="$(xdotool search --onlyvisible --name '^Lexaran' 2>/dev/null | head -n1)" && [ -n "$window" ]; do
    kill -0 "$run_pid" 2>/dev/null || { tail -n 30 "$work/run.log" >&2; fail "run.sh ended without opening the window"; }
    [ "$SECONDS" -lt "$deadline" ] || fail "run.sh opened no window within an hour"
    sleep 1
  done
  say "the window \"$(xdotool getwindowname "$window")\" opened $((SECONDS - started)) s after run.sh started"
  # Closed as a user closes it: Alt+F4 to the window manager.
  xdotool windowactivate --sync "$window" key alt+F4 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$run_pid" 2>/dev/null && fail "the window did not close within 10 s"
  wait "$run_pid" || fail "run.sh ended with an error after its window closed: $(tail -n 5 "$work/run.log")"
  say "run.sh: passed"
fi

if [ "$what" != run ]; then
  say "./scripts/test.sh (output in $work/test.log while it runs)"
  started=$SECONDS
  if ! inside 5400 sh -c 'cd /root/lexaran && ./scripts/test.sh' >"$work/test.log" 2>&1; then
    tail -n 40 "$work/test.log" >&2
    fail "test.sh failed or took longer than 90 minutes"
  fi
  say "test.sh: passed in $((SECONDS - started)) s"
fi
