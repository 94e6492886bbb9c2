#!/usr/bin/env bash
# The Windows program as a Windows user meets it, under wine on a virtual
# X display (Xvfb) with a window manager (openbox), in a wine prefix of its
# own that is thrown away afterwards:
#   - the installer, run silently, installs into Program Files with the
#     dictionary beside the executable, the Start-menu entry and the
#     uninstaller's registration;
#   - the installed program, started from another folder, opens its window:
#     the title, the client size, the frame centred on the desktop, the
#     grid's size by the resize rule, as Windows itself reports the window
#     (tests/desktop/window_probe), and the status bar's count as a reader
#     of the screen reads it (tesseract's Kazakh reading of its pixels:
#     wine offers no accessibility bridge a screen reader could use);
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
# The shared Windows helpers (the wine prefix among them); this check's own
# fail, below, takes the place of theirs.
# shellcheck source=scripts/windows/common.sh
. "$root/scripts/windows/common.sh"
out="$(cd "$1" && pwd)"
installer="$(ls "$out"/lexaran-*-setup.exe 2>/dev/null | head -n1)"
probe="$out/build/bin/window_probe.exe"
shots="$out/desktop-check"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

fail() {
  echo "windows-desktop-check: FAIL: $*" >&2
  # What the screen showed then.
  if [ -n "${DISPLAY:-}" ] && [ -d "${shots:-}" ]; then
    xwd -root -silent 2>/dev/null | xwdtopnm 2>/dev/null | pnmtopng >"$shots/failed.png" 2>/dev/null || true
  fi
  exit 1
}
say() { echo "windows-desktop-check: $*"; }
# shellcheck source=scripts/lib/x11.sh
. "$root/scripts/lib/x11.sh"

[ -f "$installer" ] || fail "no installer in $out; run scripts/build-windows.sh"
[ -f "$probe" ] || fail "no $probe; run scripts/build-windows.sh"
[ -x "$wine" ] || fail "$wine is missing (Debian package wine64); run scripts/setup.sh test"
for tool in Xvfb openbox setxkbmap xprop xwininfo xdotool xwd xwdtopnm pnmcut pnmscale pnmtopng python3 tesseract xclip iconv; do
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
  [ -n "${LEXARAN_KEEP_WORK:-}" ] || rm -rf "$work"
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

# The display: 1600 by 900 at 96 dpi.
x11_start_xvfb "$work" 1600x900x24 -dpi 96 || fail "no virtual display (above)"
pids+=("$XVFB_PID")
# The window manager, ready once it announces frame extents.
x11_start_openbox "$work" || fail "no window manager (above)"
pids+=("$OPENBOX_PID")
xdotool mousemove 0 0
mkdir -p "$shots"
shot() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$shots/$1.png"; }

# One wineserver, up from the prefix's making to the end, so each program
# starts quickly.
mkdir -p "$WINEPREFIX"
"$wineserver" -p || fail "wineserver did not start"
make_wine_prefix "$work/wineboot.log"
drive_c="$WINEPREFIX/drive_c"
# A file of this machine as the Windows program sees it (drive Z: is /).
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
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
# The registration as Windows' own reg writes it (UTF-16).
registration() {
  rm -f "$work/uninstall.reg"
  timeout 60 "$wine" reg export "$key" "$(windows_path "$work/uninstall.reg")" /y >/dev/null 2>&1 &&
    iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" | tr -d '\r'
}
registration >"$work/registration.txt" || fail "the uninstaller is not registered under $key"
grep -qx '"DisplayName"="Lexaran - терминдер қоры"' "$work/registration.txt" ||
  fail "the registered name is not the window's title: $(grep DisplayName "$work/registration.txt")"
grep -qx '"QuietUninstallString"="\\"C:\\\\Program Files\\\\Lexaran\\\\uninstall.exe\\" /S"' "$work/registration.txt" ||
  fail "no silent uninstall command registered: $(grep Uninstall "$work/registration.txt")"
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
# What Windows says of the window: its rectangle, its client area, the
# desktop, its state.
probe() {
  rm -f "$work/probe"
  timeout 60 "$wine" "$probe" "$1" "$(windows_path "$work/probe")" >/dev/null 2>&1 || return 1
  # shellcheck disable=SC1091
  . "$work/probe"
}
closed() { ! kill -0 "$app" 2>/dev/null; }
find_window() {
  window="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)"
  [ -n "$window" ]
}
# Each start from here on in a fresh wine session: a window that a program
# makes soon after another program of the session has ended is not always
# shown by wine 8.
fresh_session() {
  timeout 30 "$wineserver" -k >/dev/null 2>&1 || true
  timeout 30 "$wineserver" -w >/dev/null 2>&1 || true
  "$wineserver" -p || fail "wineserver did not start again"
}
mv "$folder/sqlite3.dll" "$work/sqlite3.dll"
mkdir -p "$drive_c/planted"
cp "$work/sqlite3.dll" "$drive_c/planted/sqlite3.dll"
start_program "$drive_c/planted" 'C:\Program Files\Lexaran\lexaran.exe'
box() { probe Lexaran; }
wait_for 60 "no error box titled 'Lexaran' when the engine is missing beside the executable" box
sleep 1
[ "$WINDOWS" -eq 1 ] || fail "$WINDOWS error boxes instead of one"
! probe "$title" || fail "the main window opened before the error box was dismissed"
shot planted-library
# The box's text, as Windows copies a message box with Ctrl+C.
box_window=""
box_on_display() {
  box_window="$(xdotool search --name '^Lexaran$' 2>/dev/null | head -n1 || true)"
  [ -n "$box_window" ]
}
wait_for 10 "the error box has no window on the display" box_on_display
xdotool windowactivate --sync "$box_window" 2>/dev/null || true
printf '' | xclip -selection clipboard
xdotool key ctrl+c
copied() { xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | grep -qxF "sqlite3.dll not found."; }
wait_for 10 "the error box does not say 'sqlite3.dll not found.'" copied
say "with a sqlite3.dll only in the working folder: one error box, 'sqlite3.dll not found.', and no window behind it yet"
timeout 30 "$wine" taskkill /f /im lexaran.exe >/dev/null 2>&1 || true
wait_for 20 "the program with the error box did not end" closed
mv "$work/sqlite3.dll" "$folder/sqlite3.dll"

# From here on a Kazakh keyboard, as a Kazakh user has: typed letters are
# real key presses of that layout, which wine reads when a program starts.
setxkbmap -layout kz || fail "the Kazakh keyboard layout cannot be set (Debian package x11-xkb-utils)"
fresh_session

start_program "$drive_c/elsewhere" 'C:\Program Files\Lexaran\lexaran.exe'
wait_for 60 "the installed program showed no window titled '$title'" find_window "$title"
framed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '='; }
wait_for 10 "openbox did not frame the window" framed
sleep 1
shot start

probe "$title" || fail "Windows reports no window titled '$title'"
read -r outer_x outer_y outer_w outer_h <<<"$OUTER"
read -r client_x client_y client_w client_h <<<"$CLIENT"
read -r desktop_x desktop_y desktop_w desktop_h <<<"$DESKTOP"
say "Windows: window ${outer_w}x${outer_h} at $outer_x,$outer_y; client ${client_w}x${client_h} at $client_x,$client_y; desktop ${desktop_w}x${desktop_h}; $STATE"
[ "$STATE" = normal ] || fail "the window opened $STATE, not normal"
[ "$WINDOWS" -eq 1 ] || fail "$WINDOWS windows carry the title"
if [ "$client_w" -ne 1097 ] || [ "$client_h" -ne 568 ]; then
  fail "the client area is ${client_w}x${client_h}, not 1097x568"
fi
want_left=$((desktop_x + desktop_w / 2 - outer_w / 2))
want_top=$((desktop_y + desktop_h / 2 - outer_h / 2))
if [ "$outer_x" -ne "$want_left" ] || [ "$outer_y" -ne "$want_top" ]; then
  fail "the window stands at $outer_x,$outer_y; centred on the desktop by its outer size it stands at $want_left,$want_top"
fi

# screen FILE [LEFT TOP WIDTH HEIGHT]: the screen, or a part of it.
screen() {
  if [ $# -eq 1 ]; then
    xwd -root -silent | xwdtopnm 2>/dev/null >"$1"
  else
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -left "$2" -top "$3" -width "$4" -height "$5" >"$1"
  fi
}
# The grid's size from the pixels of the client area: from its top-left
# corner (fixed by the layout at 8,95) to its last column and row that are
# not the window's plain background, which surrounds it on the right and
# below.
screen "$work/client.ppm" "$client_x" "$client_y" "$client_w" "$client_h"
read -r grid_w grid_h < <(python3 - "$work/client.ppm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    if data[pos:pos + 1] == b"#":
        pos = data.index(b"\n", pos)
        continue
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pos += 1
width, height = int(fields[1]), int(fields[2])
size = 3 * (2 if int(fields[3]) > 255 else 1)
pixel = lambda x, y: data[pos + size * (y * width + x):pos + size * (y * width + x + 1)]
left, top = 8, 95
background = pixel(width - 2, top + 40)
row = top + 40
right = width - 2
while right > left and pixel(right, row) == background:
    right -= 1
column = left + 40
bottom = height - 20 - 2
while bottom > top and pixel(column, bottom) == background:
    bottom -= 1
print(right - left + 1, bottom - top + 1)
PY
)
want_grid_w=$((outer_w - 50))
want_grid_h=$((outer_h - (95 + 100)))
if [ "$grid_w" -ne "$want_grid_w" ] || [ "$grid_h" -ne "$want_grid_h" ]; then
  fail "the grid opens ${grid_w}x${grid_h}; the resize rule gives ${want_grid_w}x${want_grid_h} for the outer size ${outer_w}x${outer_h}"
fi
say "at first show the window stands centred at $outer_x,$outer_y and the grid is ${grid_w}x${grid_h}"

# read_panel X WIDTH: the status bar's text between X and X + WIDTH, as
# tesseract reads it in Kazakh from the pixels, enlarged three and four
# times (one line per reading).
read_panel() {
  local scale
  screen "$work/panel.ppm" $((client_x + $1)) $((client_y + client_h - 19)) "$2" 19
  for scale in 3 4; do
    pnmscale "$scale" "$work/panel.ppm" | pnmtopng >"$work/panel.png"
    tesseract "$work/panel.png" - -l kaz --psm 7 2>/dev/null | head -n1
  done
}
# expect_panel SECONDS X WIDTH TEXT: waits until a reading of the status
# bar between X and X + WIDTH is TEXT; fails with the last readings.
expect_panel() {
  local deadline=$((SECONDS + $1)) readings
  until readings="$(read_panel "$2" "$3")" && printf '%s\n' "$readings" | grep -qxF "$4"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      fail "the status bar does not read '$4' (read: $(printf '%s' "$readings" | tr '\n' '|'); waited $1 s)"
    fi
    sleep 0.5
  done
}
panel0="Базада барлығы $terms термин бар"
expect_panel 10 0 250 "$panel0"
say "the status bar reads '$panel0'"

# A search: a word typed into the search box, the search button pressed.
word="лық"
found="$(python3 -c 'import sqlite3, sys
word = sys.argv[2].upper()
db = sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True)
print(db.execute("select count(*) from termin_items where instr(rus_upper, ?) > 0 or instr(kaz_upper, ?) > 0",
                 (word, word)).fetchone()[0])' "$out/Lexaran/termins.db" "$word")"
[ "$found" -gt 0 ] || fail "the sample has no term with '$word'"
xdotool mousemove $((client_x + 8 + 20)) $((client_y + 20 + 10)) click 1
sleep 0.5
xdotool type --delay 80 "$word"
xdotool mousemove $((client_x + 623 + 40)) $((client_y + 20 + 10)) click 1
panel1="Сұраныс бойынша $found термин табылды"
expect_panel 20 250 300 "$panel1"
shot search
say "typed '$word' and pressed Іздеу: the status bar reads '$panel1'"
xdotool key --window "$window" alt+F4 2>/dev/null || true
wait_for 20 "the window did not close on Alt+F4" closed

# No engine beside the executable, a working one in the working folder: the
# program must not take it.
fresh_session
# Started minimized without activation (show command 7, as a shortcut set
# to "Minimized" starts it).
(cd "$drive_c/elsewhere" && timeout 60 "$wine" "$probe" start 7 'C:\Program Files\Lexaran\lexaran.exe') >"$work/start-min.log" 2>&1 ||
  fail "the program could not be started with show command 7"
minimized() { probe "$title" && [ "$STATE" = minimized ]; }
wait_for 60 "started with show command 7 the window is not minimized (state: ${STATE:-none})" minimized
say "started with show command 7 the window opens minimized"
timeout 30 "$wine" taskkill /f /im lexaran.exe >/dev/null 2>&1 || true
gone() { ! pgrep -f 'Lexaran.lexaran\.exe' >/dev/null; }
wait_for 20 "the minimized program did not end" gone

# --- Silent uninstall: nothing of the program is left.
timeout 120 "$wine" 'C:\Program Files\Lexaran\uninstall.exe' /S >"$work/uninstall.log" 2>&1 ||
  fail "the silent uninstaller failed"
uninstalled() { [ ! -e "$folder" ] && [ ! -e "$shortcut" ]; }
wait_for 60 "the uninstaller left $(cd "$folder" 2>/dev/null && find . | tr '\n' ' ')" uninstalled
! registration >/dev/null || fail "the uninstaller left its registration under $key"
say "uninstalled silently: no file, Start-menu entry or registration left"
. "$root/scripts/windows/dictionary-check.sh"; windows_dictionary_check
say "passed; screenshots in $shots"
