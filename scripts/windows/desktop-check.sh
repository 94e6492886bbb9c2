#!/usr/bin/env bash
# The Windows program as a Windows user meets it, under wine on a virtual
# X display (Xvfb) with a window manager (openbox), in a wine prefix of its
# own that is thrown away afterwards:
#   - the installer, run silently, installs into Program Files with the
#     dictionary beside the executable, the Start-menu entry and the
#     uninstaller's registration;
#   - the installed program, started from another folder, opens its window:
#     the title, the client size, the frame centred on the desktop, the
#     grid's size by the resize rule, the status bar's count, read through
#     UI Automation as a screen reader reads it (tests/desktop/uia_window);
#   - a word typed into the search box and the search button pressed give
#     the count of the matching terms;
#   - started with show command 7 (minimized without activation) the window
#     opens minimized;
#   - with no sqlite3.dll beside the executable and one in the working
#     folder, the one error box says "sqlite3.dll not found.";
#   - the silent uninstaller leaves no file, entry or registration behind.
# Screenshots go to <windows-dir>/desktop-check/.
# Usage: scripts/windows/desktop-check.sh build/windows
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <windows-dir>" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(cd "$1" && pwd)"
installer="$(ls "$out"/lexaran-*-setup.exe 2>/dev/null | head -n1)"
reader="$out/build/bin/uia_window.exe"
shots="$out/desktop-check"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

fail() {
  echo "windows-desktop-check: FAIL: $*" >&2
  exit 1
}
say() { echo "windows-desktop-check: $*"; }

[ -f "$installer" ] || fail "no installer in $out; run scripts/build-windows.sh"
[ -f "$reader" ] || fail "no $reader; run scripts/build-windows.sh"
[ -x "$wine" ] || fail "$wine is missing (Debian package wine64); run scripts/setup.sh test"
for tool in Xvfb openbox xprop xwininfo xdotool xwd xwdtopnm pnmtopng python3; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing; run scripts/setup.sh test"
done
terms="$(python3 -c 'import sqlite3, sys
print(sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True).execute("select count(*) from termin_items").fetchone()[0])' "$out/Lexaran/termins.db")" ||
  fail "cannot count the terms of the sample dictionary"

work="$(mktemp -d)"
pids=()
cleanup() {
  WINEPREFIX="$work/prefix" timeout 30 "$wineserver" -k 2>/dev/null || true
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[$i]}" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -m 700 "$work/runtime" "$work/home"
export PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset LANG LANGUAGE WINEPATH WINEDLLPATH || true
while IFS='=' read -r name _; do
  case "$name" in QT_* | WINEQT_*) unset "$name" ;; esac
done < <(env)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# wait_for SECONDS WHAT COMMAND...: runs COMMAND every tenth of a second
# until it succeeds; fails with "WHAT" when the time runs out.
wait_for() {
  local seconds="$1" what="$2"
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what (waited $seconds s)"
    sleep 0.1
  done
}

Xvfb -displayfd 3 -screen 0 1600x900x24 -dpi 96 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 10 "Xvfb did not report its display number" test -s "$work/display"
DISPLAY=":$(head -n1 "$work/display")"
export DISPLAY
wait_for 10 "the display $DISPLAY does not answer" xwininfo -root
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTED | grep -q _NET_FRAME_EXTENTS; }
wait_for 15 "openbox did not start managing the display" wm_ready
xdotool mousemove 0 0
mkdir -p "$shots"
shot() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$shots/$1.png"; }

timeout 300 "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || fail "making the wine prefix failed or took longer than 300 s"
# wineserver stays up between programs, so each starts quickly.
"$wineserver" -p
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/Lexaran"
title="Lexaran - терминдер қоры "
shortcut="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lexaran - терминдер қоры.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lexaran'

# --- Silent install.
timeout 300 "$wine" "$installer" /S >"$work/install.log" 2>&1 || fail "the silent installer failed or took longer than 300 s"
installed="$(cd "$folder" 2>/dev/null && find . -type f | sort)" || fail "nothing was installed into $folder"
for file in lexaran.exe termins.db sqlite3.dll uninstall.exe Qt6Core.dll platforms/qwindows.dll; do
  printf '%s\n' "$installed" | grep -qx "./$file" || fail "the installation lacks $file"
done
[ -f "$shortcut" ] || fail "no Start-menu entry named as the window's title"
timeout 60 "$wine" reg query "$key" /v DisplayName >"$work/reg.txt" 2>&1 || fail "the uninstaller is not registered under $key"
grep -q 'Lexaran - терминдер қоры' "$work/reg.txt" || fail "the registered name is not the window's title"
say "installed silently: $(printf '%s\n' "$installed" | wc -l) files in Program Files\\Lexaran, the Start-menu entry, the uninstaller registered"

# --- The installed program, started from another folder.
mkdir -p "$drive_c/elsewhere"
app=""
window=""
start_program() {
  (cd "$1" && exec "$wine" "$2") >"$work/program.log" 2>&1 &
  app=$!
  pids+=("$app")
}
find_window() {
  window="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)"
  [ -n "$window" ]
}
start_program "$drive_c/elsewhere" 'C:\Program Files\Lexaran\lexaran.exe'
wait_for 60 "the installed program showed no window titled '$title'" find_window "$title"
framed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '='; }
wait_for 10 "openbox did not frame the window" framed
sleep 1
shot start

read -r frame_left frame_right frame_top frame_bottom < <(
  xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,/ /g')
geometry() { xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }
client_x="$(geometry "$window" 'Absolute upper-left X')"
client_y="$(geometry "$window" 'Absolute upper-left Y')"
client_w="$(geometry "$window" 'Width')"
client_h="$(geometry "$window" 'Height')"
outer_w=$((client_w + frame_left + frame_right))
outer_h=$((client_h + frame_top + frame_bottom))
say "frame $frame_left,$frame_right,$frame_top,$frame_bottom; client ${client_w}x${client_h} at $client_x,$client_y; outer ${outer_w}x${outer_h}"
