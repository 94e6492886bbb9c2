#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: its control
# fields and file list, lintian (any error or warning fails), the hardening of
# the shipped program, its desktop entry and AppStream file; then unpacks it
# into a scratch root, starts the unpacked program through its command link
# in a virtual display, checks that it shows its window and holds the
# unpacked sample dictionary open, takes a screenshot and checks that no
# unpacked file changed and none was added. The scratch root is removed on
# exit; nothing on this machine is installed or changed.
# Usage: scripts/package-check.sh [package.deb]   (default: built by scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8

fail() { echo "package check: $*" >&2; exit 1; }
# shellcheck source=lib/x11.sh
. scripts/lib/x11.sh

if [ $# -ge 1 ]; then
  deb="$1"
else
  scripts/package.sh
  deb="build/package/lexaran_$(dpkg-parsechangelog -l packaging/deb/changelog -S Version)_$(dpkg --print-architecture).deb"
fi
[ -f "$deb" ] || fail "no package at $deb"
echo "Checking $deb"

# Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = lexaran ] || fail "Package is not lexaran"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong Architecture"
case "$(field Depends)" in
  *libqt6widgets6*libsqlite3-0*qt6-qpa-plugins*) ;;
  *) fail "Depends lacks the toolkit, the engine or the platform plugins: $(field Depends)" ;;
esac
case "$(field Maintainer)" in
  *localhost*|"") fail "no real Maintainer: $(field Maintainer)" ;;
esac

# File list: the program with the dictionary beside it, its command link, and
# the files the desktop and Debian expect.
contents="$(dpkg-deb --contents "$deb" | awk '{ print $6, $7, $8 }')"
expected=(
  "./usr/lib/lexaran/lexaran"
  "./usr/lib/lexaran/termins.db"
  "./usr/bin/lexaran -> ../lib/lexaran/lexaran"
  "./usr/share/man/man1/lexaran.1.gz"
  "./usr/bin/lexaran-import"
  "./usr/share/man/man1/lexaran-import.1.gz"
  "./usr/share/applications/kz.lexaran.Lexaran.desktop"
  "./usr/share/metainfo/kz.lexaran.Lexaran.metainfo.xml"
  "./usr/share/doc/lexaran/copyright"
  "./usr/share/doc/lexaran/changelog.gz"
)
for size in 16 32 48 64 128 256; do
  expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/lexaran.png")
done
for path in "${expected[@]}"; do
  grep -qxF -- "$path" <<<"$(sed 's/ *$//' <<<"$contents")" || fail "the package lacks $path"
done
echo "control fields and ${#expected[@]} files present"

# Everything the check makes goes into one scratch directory: the unpacked
# root, the temporary files lintian leaves behind, and the home and runtime
# directories of the started program.
scratch="$(mktemp -d)"
XVFB_PID=""
trap '[ -z "$XVFB_PID" ] || kill "$XVFB_PID" 2>/dev/null; rm -rf "$scratch"' EXIT
root="$scratch/root"
mkdir -p "$root" "$scratch/tmp" "$scratch/home"
install -d -m 700 "$scratch/runtime"

# lintian, failing on any error or warning that has no override; it also
# warns about running as root, which says nothing about the package.
status=0
TMPDIR="$scratch/tmp" timeout 600 lintian --display-info --pedantic --fail-on error,warning "$deb" \
  > "$scratch/lintian.log" 2>&1 || status=$?
if grep -v 'running with root privileges is not recommended' "$scratch/lintian.log" > "$scratch/lintian.tags"; then
  echo "lintian:"
  sed 's/^/  /' "$scratch/lintian.tags"
fi
case $status in
  0) ;;
  2) fail "lintian reports errors or warnings" ;;
  124) fail "lintian took longer than 600 s" ;;
  *) fail "lintian could not check the package (exit status $status)" ;;
esac
echo "lintian: no error or warning"

dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$root/DEBIAN"
program="$root/usr/lib/lexaran/lexaran"
database="$root/usr/lib/lexaran/termins.db"

# Hardening: read-only relocations bound at start, stack protector, no
# symbols or comment sections left.
readelf -lW "$program" | grep GNU_RELRO >/dev/null || fail "the program has no read-only relocations"
readelf -dW "$program" | grep -E 'BIND_NOW|FLAGS_1.* NOW' >/dev/null || fail "the program binds lazily"
readelf --dyn-syms -W "$program" | grep __stack_chk_fail >/dev/null || fail "the program has no stack protector"
readelf -SW "$program" | grep -E ' \.(symtab|comment|debug_info) ' >/dev/null && fail "the program is not stripped"
echo "the program is hardened (relro, now, stack protector) and stripped"

desktop-file-validate "$root/usr/share/applications/kz.lexaran.Lexaran.desktop"
appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/kz.lexaran.Lexaran.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net --pedantic "$root/usr/share/metainfo/kz.lexaran.Lexaran.metainfo.xml"; fail "AppStream file invalid"; }
echo "desktop entry and AppStream file valid"

# Start the unpacked program as a user would, through its command link and
# from another directory; it must find the dictionary beside the executable
# the link resolves to. The window is found by the program's process id, so
# the check does not depend on the title's letters or the locale.
(cd "$root" && find . -path ./DEBIAN -prune -o -printf '%P %y %s %T@\n' | sort) > "$root/DEBIAN/before"
shot="$(cd "$(dirname "$deb")" && pwd)/unpacked-window.png"
cat > "$root/DEBIAN/start" <<'START'
set -euo pipefail
root="$1"; shot="$2"; lib="$3"
. "$lib"
cd /
env -u QT_QPA_PLATFORM HOME="$root/../home" XDG_RUNTIME_DIR="$root/../runtime" "$root/usr/bin/lexaran" > "$root/DEBIAN/program.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
x11_wait_window "$pid" 60 "$root/DEBIAN/program.log"
window="$WINDOW"
sleep 1
kill -0 "$pid" || { echo "the program ended after showing its window" >&2; exit 1; }
ls -l "/proc/$pid/fd" | grep -F -- "-> $root/usr/lib/lexaran/termins.db" >/dev/null \
  || { echo "the program does not hold $root/usr/lib/lexaran/termins.db open" >&2; exit 1; }
xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$shot"
title="$(xdotool getwindowname "$window" 2>/dev/null || true)"
kill "$pid"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "the program did not end within 10 s of being asked to" >&2; exit 1; }
trap - EXIT
echo "the unpacked program shows its window \"$title\" and holds the unpacked termins.db open"
START
x11_start_xvfb "$scratch" 1280x800x24 || fail "no virtual display"
timeout --kill-after=10 180 bash "$root/DEBIAN/start" "$root" "$shot" "$PWD/scripts/lib/x11.sh" \
  || fail "starting the unpacked program failed or took longer than 180 s"
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=""
echo "screenshot: $shot"

(cd "$root" && md5sum --quiet -c DEBIAN/md5sums) || fail "an unpacked file changed while the program ran"
(cd "$root" && find . -path ./DEBIAN -prune -o -printf '%P %y %s %T@\n' | sort) | cmp -s - "$root/DEBIAN/before" \
  || fail "the program added, removed or touched files in its directory tree"
echo "no unpacked file changed, none added"
