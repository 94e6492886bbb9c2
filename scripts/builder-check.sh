#!/usr/bin/env bash
# Uses the dictionary builder as a user does, on an X11 display (Xvfb) under
# a window manager (openbox), with the AT-SPI accessibility bus, driving it
# with the keyboard through what a screen reader reads
# (tests/desktop/atspi_builder.py):
#   - started with a generated XLSX as its argument, it shows the kind, the
#     sheets, the columns and the preview, every name and role in Kazakh;
#   - a CSV chosen in the file dialog (Kazakh too), a column remapped, built:
#     the summary counts its terms;
#   - a large build cancelled part way stops at once and leaves nothing;
#   - the result put in place of the dictionary of this Lexaran after the
#     user's yes: the previous one kept beside it byte for byte;
#   - Lexaran opened from the builder shows the new count in its status bar.
# The programs run from a copy of the build's program folder, so the build's
# own termins.db is never touched. Screenshots go to
# <build-dir>/builder-check/.
# Usage: scripts/builder-check.sh <build-dir>
set -euo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 <build-dir>" >&2
  exit 2
fi
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=lib/x11.sh
. "$root/scripts/lib/x11.sh"
build="$(cd "$1" && pwd)"
shots="$build/builder-check"
driver="$root/tests/desktop/atspi_builder.py"
reader="$root/tests/desktop/atspi_window.py"

fail() {
  echo "builder-check: FAIL: $*" >&2
  exit 1
}

for file in app/lexaran app/lexaran-builder; do
  [ -x "$build/$file" ] || fail "no $file in $build; build it first (cmake --build --preset default)"
done
[ -f "$build/app/termins.db" ] || fail "no termins.db beside the program; build the sample_db target"
for tool in Xvfb openbox dbus-daemon dbus-send xdotool xwd xwdtopnm pnmtopng; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing; run scripts/setup.sh"
done

work="$(mktemp -d)"
pids=()
cleanup() {
  local pid
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
mkdir "$work/program" "$work/lists" "$work/tmp"
cp "$build/app/lexaran" "$build/app/lexaran-builder" "$build/app/termins.db" "$work/program/"
program="$work/program"
count() {
  /usr/bin/python3 -c 'import sqlite3, sys
print(sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True).execute("select count(*) from termin_items").fetchone()[0])' "$1"
}
/usr/bin/python3 "$root/tests/desktop/make_term_lists.py" "$work/lists" 1500000 || fail "could not write the term lists"

export PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
unset LANG LANGUAGE QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
  QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_QPA_PLATFORMTHEME QT_FONT_DPI || true

x11_start_xvfb "$work" 1600x900x24 -dpi 96 || { pids+=("$XVFB_PID"); fail "no virtual display"; }
pids+=("$XVFB_PID")
x11_start_accessibility_bus "$work"
x11_start_openbox "$work" || fail "no window manager (above)"
pids+=("$OPENBOX_PID")
xdotool mousemove 0 0

env -i PATH="$PATH" HOME="$HOME" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" LC_ALL=C.UTF-8 TMPDIR="$work/tmp" \
  DISPLAY="$DISPLAY" DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  "$program/lexaran-builder" "$work/lists/terms.xlsx" >"$work/builder.log" 2>&1 &
builder=$!
pids+=("$builder")
x11_wait_window "$builder" 20 "$work/builder.log" || fail "no window of the builder"
builder_window="$WINDOW"
step() { /usr/bin/python3 "$driver" "$builder" "$@" || fail "$1 failed (above)"; }
mkdir -p "$shots"
shot() { xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng >"$shots/$1.png"; }

# The XLSX given on the command line.
step expect-kind "Excel кітабы (XLSX)"
headers="$(step check)"
echo "builder-check: the XLSX shows sheet '$(step field Парақ)', columns ${headers#HEADERS=}"
[[ "$headers" == *"Орысша / 1-баған: Русский"*"Қазақша / 2-баған: Казахский"*"Саласы / 3-баған: Категория"* ]] \
  || fail "the preview's columns are not mapped by the header row: $headers"
shot xlsx-chosen
step press "Сөздікті жасау"
summary="$(step wait-summary "Сөздікке жазылған термин: 40" 30)"
echo "builder-check: the XLSX built: $(head -n1 <<<"$summary")"

# A CSV chosen in the file dialog, its Russian column remapped.
step choose-file "$work/lists/terms.csv" "$shots/file-dialog.png"
step expect-kind "Бөлгішпен жазылған мәтін (CSV, TSV)"
[ "$(step field Бөлгіш)" = "нүктелі үтір ( ; )" ] || fail "the separator reads '$(step field Бөлгіш)'"
step column Орысша Down
headers="$(step check)"
[[ "$headers" == *"Қазақша / 1-баған"*"Орысша / 2-баған"* ]] || fail "the remapped columns read: $headers"
echo "builder-check: the CSV ($(step field 'Мәтін кодтауы'), $(step field Бөлгіш)) remapped: ${headers#HEADERS=}"
shot csv-remapped

# A large build, cancelled: nothing of it stays.
step choose-file "$work/lists/large.csv"
step press "Сөздікті жасау"
rows="$(step wait-rows 30)"
shot large-building
started=$SECONDS
step press "Тоқтату"
step wait-summary "Тоқтатылды" 5 >/dev/null
echo "builder-check: the large build stopped after $rows rows, within $((SECONDS - started)) s of the cancel"
left="$(find "$work/tmp" "$work/lists" "$program" -newer "$work/lists/large.csv" -mindepth 1 | grep -v '/tmp/qipc\|\.lock$' || true)"
[ -z "$left" ] || fail "the cancelled build left: $left"

# The CSV again, remapped, built and put in place of the dictionary.
sample_count="$(count "$program/termins.db")"
step choose-file "$work/lists/terms.csv"
step expect-kind "Бөлгішпен жазылған мәтін (CSV, TSV)"
step column Орысша Down
step press "Сөздікті жасау"
step wait-summary "Сөздікке жазылған термин: 30" 30 >/dev/null
step press "Lexaran сөздігінің орнына қою..."
question="$(step answer Иә)"
echo "builder-check: asked: $question"
opened="$(step answer Иә)"
echo "builder-check: asked: $opened"
backup="$(find "$program" -name 'termins.db.*.bak' | head -n1)"
[ -n "$backup" ] || fail "no backup beside the dictionary: $(ls "$program")"
cmp -s "$backup" "$build/app/termins.db" || fail "the backup $backup differs from the previous dictionary"
[ "$(count "$program/termins.db")" = 30 ] || fail "the dictionary holds $(count "$program/termins.db") terms, not 30"
first="$(/usr/bin/python3 -c 'import sqlite3, sys
print(*sqlite3.connect(sys.argv[1]).execute("select rus, kaz from termin_items order by id limit 1").fetchone(), sep="|")' "$program/termins.db")"
[ "$first" = "вид силы 1|күш түрі 1" ] || fail "the first term reads '$first', not the remapped 'вид силы 1|күш түрі 1'"
echo "builder-check: the dictionary replaced ($sample_count terms before, 30 now, first '$first'); backup $(basename "$backup") kept"

# Lexaran, opened by the builder, reads the new dictionary.
lexaran=""
find_lexaran() { lexaran="$(pgrep -x -f "$program/lexaran" | head -n1)" && [ -n "$lexaran" ]; }
wait_for 20 "Lexaran did not start after the builder's question" find_lexaran
pids+=("$lexaran")
x11_wait_window "$lexaran" 20 || fail "no window of Lexaran"
/usr/bin/python3 "$reader" "$lexaran" --expect-count 30 >"$work/lexaran-atspi" || fail "Lexaran does not show the new count (above)"
sleep 0.5
shot lexaran-opened
echo "builder-check: Lexaran opened by the builder reads: $(sed -n "s/^PANEL0=//p" "$work/lexaran-atspi")"

# Back to the builder (Lexaran took the focus as it opened), and closed.
xdotool windowactivate --sync "$builder_window" || fail "the builder's window could not be activated"
shot builder-done
step press "Жабу"
gone() { ! kill -0 "$builder" 2>/dev/null; }
wait_for 10 "the builder did not close on 'Жабу'" gone
[ -z "$(ls -A "$work/tmp")" ] || fail "the builder left in its temporary folder: $(ls -A "$work/tmp")"
echo "builder-check: passed; screenshots in $shots"
