#!/usr/bin/env bash
# Starts the built program as a user meets it: on an X11 display (Xvfb) under
# a window manager (openbox), with a D-Bus session and the AT-SPI
# accessibility bus, and checks what the user and a screen reader see:
#   - at first show, the grid has the size the resize rule gives for the
#     window's outer size (frame included, as the window manager reports it
#     in _NET_FRAME_EXTENTS), and the window is centred by that outer size;
#   - the open category list is 8 entries of 16 pixels tall;
#   - the title under the mouse looks different;
#   - a letter typed into the focused grid moves nothing;
#   - the window is a frame, the status bar reads the count, the buttons are
#     named "Іздеу" and "Барлығы", and every role name a screen reader reads
#     out is Kazakh (tests/desktop/atspi_window.py);
#   - the context menus of the search box and of the grid's scroll bar, opened
#     with a right click, read Kazakh entries only.
# Screenshots go to <build-dir>/desktop-check/.
# Usage: scripts/desktop-check.sh <build-dir>
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <build-dir>" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=lib/x11.sh
. "$root/scripts/lib/x11.sh"
build="$(cd "$1" && pwd)"
program="$build/app/lexaran"
database="$build/app/termins.db"
shots="$build/desktop-check"
checker="$root/tests/desktop/atspi_window.py"

fail() {
  echo "desktop-check: FAIL: $*" >&2
  exit 1
}

[ -x "$program" ] || fail "no program at $program; build it first (cmake --build --preset default)"
[ -f "$database" ] || fail "no termins.db beside the program; build the sample_db target"
for tool in Xvfb openbox dbus-daemon dbus-send xprop xwininfo xdotool xwd xwdtopnm pnmcut pnmpaste pnmtopng; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing; run scripts/setup.sh"
done
/usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null \
  || fail "python3 cannot load Atspi (Debian packages python3-gi, gir1.2-atspi-2.0); run scripts/setup.sh"

# The number of terms the status bar must read, from the dictionary beside
# the program (opened read-only).
terms="$(/usr/bin/python3 -c 'import sqlite3, sys
print(sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True).execute("select count(*) from termin_items").fetchone()[0])' "$database")" \
  || fail "cannot count the terms in $database"

work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
  # Last started, first ended; each by its own process id.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    pid="${pids[$i]}"
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# Everything runs in a clean environment of its own, whatever the caller's
# locale, style or scaling settings.
mkdir -m 700 "$work/runtime" "$work/home"
base_env=(PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8)
export PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset LANG LANGUAGE QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
  QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_QPA_PLATFORMTHEME QT_FONT_DPI || true

# The display: 1600 by 900 at 96 dpi.
x11_start_xvfb "$work" 1600x900x24 -dpi 96 || { pids+=("$XVFB_PID"); fail "no virtual display"; }
pids+=("$XVFB_PID")

# The session bus, and on it the accessibility bus.
x11_start_accessibility_bus "$work"

# The window manager, ready once it announces frame extents.
x11_start_openbox "$work" || fail "no window manager (above)"
pids+=("$OPENBOX_PID")
# The pointer starts in the desktop's corner, away from the window.
xdotool mousemove 0 0

env -i "${base_env[@]}" DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$work/program.log" 2>&1 &
app=$!
pids+=("$app")

x11_wait_window "$app" 20 "$work/program.log" || fail "no window of the program"
window="$WINDOW"
framed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '='; }
wait_for 10 "openbox did not frame the window" framed

# What the screen reader reads, and where the controls are.
/usr/bin/python3 "$checker" "$app" --expect-count "$terms" >"$work/atspi" \
  || fail "the accessibility check failed (above)"
# shellcheck disable=SC1091
. "$work/atspi"
echo "desktop-check: screen reader: frame, status bar reading '$PANEL0', buttons 'Іздеу' and 'Барлығы'"

# The frame as the window manager reports it: left, right, top, bottom.
read -r frame_left frame_right frame_top frame_bottom < <(
  xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,/ /g')
geometry() { xwininfo -id "$1" | sed -n "s/^ *$2: *//p"; }
client_x="$(geometry "$window" 'Absolute upper-left X')"
client_y="$(geometry "$window" 'Absolute upper-left Y')"
client_w="$(geometry "$window" 'Width')"
client_h="$(geometry "$window" 'Height')"
desktop_w="$(xwininfo -root | sed -n 's/^ *Width: *//p')"
desktop_h="$(xwininfo -root | sed -n 's/^ *Height: *//p')"
outer_w=$((client_w + frame_left + frame_right))
outer_h=$((client_h + frame_top + frame_bottom))
echo "desktop-check: frame $frame_left,$frame_right,$frame_top,$frame_bottom; client ${client_w}x${client_h} at $client_x,$client_y; outer ${outer_w}x${outer_h}"

if [ "$client_w" -ne 1097 ] || [ "$client_h" -ne 568 ]; then
  fail "the client area is ${client_w}x${client_h}, not 1097x568"
fi
[ "$outer_h" -gt "$client_h" ] || fail "the window manager reports no frame"
want_left=$((desktop_w / 2 - outer_w / 2))
want_top=$((desktop_h / 2 - outer_h / 2))
((want_left < 0)) && want_left=0
((want_top < 0)) && want_top=0
left=$((client_x - frame_left))
top=$((client_y - frame_top))
if [ "$left" -ne "$want_left" ] || [ "$top" -ne "$want_top" ]; then
  fail "the frame stands at $left,$top; centred on the ${desktop_w}x${desktop_h} desktop by its outer size it stands at $want_left,$want_top"
fi
want_grid_w=$((outer_w - 50))
want_grid_h=$((outer_h - (95 + 100)))
if [ "$GRID_W" -ne "$want_grid_w" ] || [ "$GRID_H" -ne "$want_grid_h" ]; then
  fail "the grid opens ${GRID_W}x${GRID_H}; the resize rule gives ${want_grid_w}x${want_grid_h} for the outer size ${outer_w}x${outer_h}"
fi
echo "desktop-check: at first show the frame stands centred at $left,$top and the grid is ${GRID_W}x${GRID_H}"

mkdir -p "$shots"
# screen FILE [LEFT TOP WIDTH HEIGHT]: the screen, or a part of it, as a
# portable pixmap.
screen() {
  if [ $# -eq 1 ]; then
    xwd -root -silent | xwdtopnm 2>/dev/null >"$1"
  else
    xwd -root -silent | xwdtopnm 2>/dev/null | pnmcut -left "$2" -top "$3" -width "$4" -height "$5" >"$1"
  fi
}
screen "$work/start.ppm"
pnmtopng "$work/start.ppm" >"$shots/start.png"

# A letter typed into the grid, which has the focus at start, moves nothing:
# "п" begins the first row's Russian term and a later one's, so a grid that
# finds as the user types would move on to that row. An arrow key moves the
# current row, so the keys do reach the grid.
active() { [ "$(xdotool getactivewindow)" = "$window" ]; }
wait_for 5 "the program's window did not become the active window" active
screen "$work/grid-before.ppm" "$GRID_X" "$GRID_Y" "$GRID_W" "$GRID_H"
xdotool key --clearmodifiers Cyrillic_pe Cyrillic_ze a
sleep 0.5
screen "$work/grid-typed.ppm" "$GRID_X" "$GRID_Y" "$GRID_W" "$GRID_H"
cmp -s "$work/grid-before.ppm" "$work/grid-typed.ppm" || fail "typing letters into the grid changed what it shows"
xdotool key Down
grid_moved() {
  screen "$work/grid-down.ppm" "$GRID_X" "$GRID_Y" "$GRID_W" "$GRID_H"
  ! cmp -s "$work/grid-before.ppm" "$work/grid-down.ppm"
}
wait_for 5 "the Down key did not move the grid's current row (do keys reach the grid?)" grid_moved
/usr/bin/python3 "$checker" "$app" >"$work/atspi-typed" || fail "the accessibility check failed after typing"
grep -qx 'EDIT_TEXT_LENGTH=0' "$work/atspi-typed" || fail "typing into the grid put text into the search box"
echo "desktop-check: letters typed into the grid moved nothing; Down moved the current row"

# The title under the mouse looks different from itself without the mouse.
screen "$work/title-plain.ppm" "$TITLE1_X" "$TITLE1_Y" "$TITLE1_W" "$TITLE1_H"
xdotool mousemove $((TITLE1_X + TITLE1_W / 2)) $((TITLE1_Y + TITLE1_H / 2))
title_hot() {
  screen "$work/title-hot.ppm" "$TITLE1_X" "$TITLE1_Y" "$TITLE1_W" "$TITLE1_H"
  ! cmp -s "$work/title-plain.ppm" "$work/title-hot.ppm"
}
wait_for 5 "the title under the mouse looks the same as without it" title_hot
pnmtopng "$work/title-hot.ppm" >"$shots/title-hot.png"
xdotool mousemove 0 0
echo "desktop-check: the title under the mouse is highlighted"

# The category list opened with a click shows 8 entries of 16 pixels.
xdotool mousemove $((COMBO_X + COMBO_W / 2)) $((COMBO_Y + COMBO_H / 2)) click 1
popup=""
find_popup() {
  popup="$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | grep -vx "$window" | head -n1)"
  [ -n "$popup" ]
}
# Qt's popups carry no process id of their own; any new mapped window of the
# display will do when the search by process finds none.
find_any_popup() {
  find_popup && return 0
  popup="$(xwininfo -root -children | awk '/"/ {print $1}' | while read -r id; do
    if xwininfo -id "$id" | grep -q 'Map State: IsViewable' \
      && xwininfo -id "$id" | grep -q 'Override Redirect State: yes'; then echo "$id"; fi
  done | head -n1)"
  [ -n "$popup" ]
}
wait_for 5 "no list opened after a click on the category box" find_any_popup
list_h="$(geometry "$popup" 'Height')"
list_y="$(geometry "$popup" 'Absolute upper-left Y')"
list_x="$(geometry "$popup" 'Absolute upper-left X')"
sleep 0.3
# A capture of the whole screen shows Xvfb's override-redirect popups black,
# so the list is captured by itself and laid over the screen.
screen "$work/screen-under-list.ppm"
xwd -id "$popup" -silent | xwdtopnm 2>/dev/null >"$work/list.ppm"
pnmpaste "$work/list.ppm" "$list_x" "$list_y" "$work/screen-under-list.ppm" >"$work/list-open.ppm"
pnmtopng "$work/list-open.ppm" >"$shots/list-open.png"
pnmtopng "$work/list.ppm" >"$shots/list.png"
# Eight entries of 16 pixels and the list's own frame, no ninth entry.
((list_h >= 8 * 16 && list_h < 9 * 16)) || fail "the open list is $list_h pixels tall, not 8 entries of 16 pixels"
((list_y >= COMBO_Y + COMBO_H - 1)) || fail "the list opens at y $list_y, over the box (whose bottom is at $((COMBO_Y + COMBO_H)))"
xdotool key Escape
echo "desktop-check: the open category list is $list_h pixels tall (8 entries of 16)"

# A right click opens Qt's own context menus; the screen reader reads their
# entries. Each one is captured by itself and laid over the screen, as the
# list above.
# Qt names its popup windows after the application; the menu is the one
# that shows.
menu=""
find_menu() {
  menu="$(xwininfo -root -children | awk '/"Lexaran"/ {print $1}' | while read -r id; do
    info="$(xwininfo -id "$id")"
    if grep -q 'Map State: IsViewable' <<<"$info" && grep -q 'Override Redirect State: yes' <<<"$info"; then
      echo "$id"
    fi
  done | head -n1)"
  [ -n "$menu" ]
}
# context_menu NAME X Y: right-clicks at X,Y and checks the menu that opens.
context_menu() {
  local name="$1" x="$2" y="$3"
  xdotool mousemove "$x" "$y" click 3
  wait_for 5 "no menu opened after a right click on the $name" find_menu
  /usr/bin/python3 "$checker" "$app" --menu >"$work/menu-$name" \
    || fail "the $name's context menu is not Kazakh (above)"
  sleep 0.3
  screen "$work/screen-under-menu.ppm"
  xwd -id "$menu" -silent | xwdtopnm 2>/dev/null >"$work/menu.ppm"
  pnmpaste "$work/menu.ppm" "$(geometry "$menu" 'Absolute upper-left X')" "$(geometry "$menu" 'Absolute upper-left Y')" \
    "$work/screen-under-menu.ppm" | pnmtopng >"$shots/menu-$name.png"
  xdotool key Escape
  menu_closed() { ! xwininfo -id "$menu" 2>/dev/null | grep -q 'IsViewable'; }
  wait_for 5 "the $name's context menu did not close on Escape" menu_closed
  echo "desktop-check: the $name's context menu reads: $(sed "s/^MENU_ITEM=//; s/'//g" "$work/menu-$name" | paste -sd ',' | sed 's/,/, /g')"
}
# With a word in the box, some of its menu's entries are enabled.
xdotool mousemove $((EDIT_X + EDIT_W / 2)) $((EDIT_Y + EDIT_H / 2)) click 1
xdotool key --clearmodifiers Cyrillic_es Cyrillic_u
context_menu search-box $((EDIT_X + EDIT_W / 2)) $((EDIT_Y + EDIT_H / 2))
# The vertical scroll bar runs down the grid's right edge, inside its frame.
context_menu grid-scroll-bar $((GRID_X + GRID_W - 6)) $((GRID_Y + GRID_H / 2))

# A screen reader's walk of the window, and the close request (own session).
"$root/scripts/desktop-speech-check.sh" "$build" || fail "the screen reader's walk or the close check failed (above)"
echo "desktop-check: passed; screenshots in $shots"
