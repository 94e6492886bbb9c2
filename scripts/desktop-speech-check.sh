#!/usr/bin/env bash
# Starts the built program on a virtual desktop with a real screen reader,
# Orca, and checks what it speaks (every utterance is a "SPEECH OUTPUT:" line
# of Orca's debug log) on a keyboard walk of the window:
#   - at start the grid has the focus and its current row is read;
#   - Tab reaches the Search button; Space searches, and what is heard is
#     the found count of status panel 1, with no false move into the grid;
#   - Shift+Tab enters the grid and reads its current row, Down the next;
#   - the category list is heard by its name together with its value, also
#     after another entry is chosen;
#   - each radio group's caption is heard once on entering the group.
# Then, in the same session, the program is closed with the window manager's
# close request after a series of searches, several times over: every
# request must end the program.
# Speech goes to a private speech-dispatcher whose output module says
# nothing and needs no sound card; Orca keeps its settings in a private home.
# Usage: scripts/desktop-speech-check.sh <build-dir>
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
closer="$root/tests/desktop/x11_close.py"
close_runs="${LEXARAN_CLOSE_RUNS:-6}"
searches=9

fail() {
  echo "desktop-speech-check: FAIL: $*" >&2
  [ -n "${LEXARAN_SPEECH_LOG:-}" ] && [ -f "${log:-}" ] && cp "$log" "$LEXARAN_SPEECH_LOG" && cp "$work/program.log" "$LEXARAN_SPEECH_LOG.program"
  exit 1
}

[ -x "$program" ] || fail "no program at $program; build it first (cmake --build --preset default)"
[ -f "$database" ] || fail "no termins.db beside the program; build the sample_db target"
for tool in Xvfb openbox dbus-daemon xdotool xprop orca speech-dispatcher; do
  command -v "$tool" >/dev/null 2>&1 || fail "'$tool' is missing; run scripts/setup.sh test"
done
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] || fail "speech-dispatcher's generic module is missing"

# The first two terms, as the grid shows them at start and after a search
# for the empty text: Russian, Kazakh, subject.
mapfile -t first_rows < <(/usr/bin/python3 -c 'import sqlite3, sys
db = sqlite3.connect("file:" + sys.argv[1] + "?mode=ro", uri=True)
for row in db.execute("select rus, kaz, cat from termin_items limit 2"):
    print("\t".join(row))
print(db.execute("select count(*) from termin_items").fetchone()[0])' "$database") \
  || fail "cannot read the terms in $database"
[ ${#first_rows[@]} -eq 3 ] || fail "the dictionary holds fewer than two terms"
terms="${first_rows[2]}"
found="Сұраныс бойынша $(printf '%s' "$terms" | rev | sed 's/\([0-9]\{3\}\)/\1 /g; s/ $//' | rev) термин табылды"

work="$(mktemp -d)"
pids=()
cleanup() {
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[$i]}" 2>/dev/null || true
  done
  for i in "${pids[@]}"; do
    wait "$i" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mkdir -m 700 "$work/runtime" "$work/home" "$work/orca" "$work/speech" "$work/speech/modules" "$work/speech-log"
export PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
export XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache"
unset LANG LANGUAGE QT_QPA_PLATFORM QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
  QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_QPA_PLATFORMTHEME QT_FONT_DPI SPEECHD_ADDRESS || true

x11_start_xvfb "$work" 1600x900x24 -dpi 96 || { pids+=("$XVFB_PID"); fail "no virtual display"; }
pids+=("$XVFB_PID")
x11_start_accessibility_bus "$work"
x11_start_openbox "$work" || fail "no window manager (above)"
pids+=("$OPENBOX_PID")
xdotool mousemove 800 450

# Speech: a generic module whose synthesis command does nothing, and libao's
# null output for the sound the dispatcher still opens.
cat >"$work/speech/speechd.conf" <<'CONF'
LogLevel 3
AudioOutputMethod "libao"
AddModule "silent" "sd_generic" "silent.conf"
DefaultModule silent
DefaultLanguage "en"
CONF
cat >"$work/speech/modules/silent.conf" <<'CONF'
GenericExecuteSynth "true"
AddVoice "en" "MALE1" "silent"
GenericLanguage "en" "en"
CONF
echo "default_driver=null" >"$HOME/.libao"
speech-dispatcher --run-single --timeout 0 --config-dir "$work/speech" \
  --module-dir /usr/lib/speech-dispatcher-modules --communication-method unix_socket \
  --socket-path "$work/runtime/speechd.sock" --log-dir "$work/speech-log" --pid-file "$work/speechd.pid" \
  >"$work/speechd.out" 2>&1 &
pids+=($!)
wait_for 15 "speech-dispatcher did not open its socket ($(cat "$work/speechd.out" 2>/dev/null))" test -S "$work/runtime/speechd.sock"
export SPEECHD_ADDRESS="unix_socket:$work/runtime/speechd.sock"

log="$work/orca.log"
# Orca writes its debug log through a buffer that a file or a pipe holds
# back for kilobytes; written to a terminal it goes out line by line. So Orca
# runs on a pseudo-terminal (script), whose output is the log.
script --quiet --flush --command "exec orca --user-prefs '$work/orca' --debug-file /dev/tty" "$log" \
  </dev/null >"$work/orca.out" 2>&1 &
pids+=($!)
wait_for 60 "Orca did not start speaking (its output: $(tail -n 5 "$work/orca.out" 2>/dev/null))" \
  grep -q "SPEECH OUTPUT: 'Screen reader on.'" "$log"

# What Orca said from line FROM of its log on, one utterance a line.
spoken_since() {
  sed -n "$1,\$p" "$log" | tr -d '\r' | grep -F "SPEECH OUTPUT: '" | sed "s/^.*SPEECH OUTPUT: '//; s/' *{.*\$//; s/'\$//"
}
mark() { wc -l <"$log"; }
# hears FROM SECONDS TEXT: waits until Orca has said TEXT (a fixed string)
# since line FROM.
hears() {
  local from="$1" seconds="$2" text="$3" deadline=$((SECONDS + $2))
  until spoken_since "$from" | grep -qF -- "$text"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "desktop-speech-check: Orca said instead: $(spoken_since "$from" | paste -sd '|')" >&2
      return 1
    fi
    sleep 0.1
  done
}
# step KEY WANT...: presses KEY and waits until every WANT has been said.
step() {
  local key="$1" from
  shift
  from="$(mark)"
  xdotool key "$key"
  local want
  for want in "$@"; do
    hears "$from" 10 "$want" || fail "after $key Orca did not say '$want'"
  done
  # The rest of the utterances of this key.
  sleep 0.7
  STEP_FROM="$from"
}

start_program() {
  QT_LOGGING_RULES="${LEXARAN_QT_LOG:-}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$program" >"$work/program.log" 2>&1 &
  app=$!
  pids+=("$app")
  x11_wait_window "$app" 20 "$work/program.log" || fail "no window of the program"
  window="$WINDOW"
  framed() { xprop -id "$window" _NET_FRAME_EXTENTS | grep -q '='; }
  wait_for 10 "openbox did not frame the window" framed
  active() { [ "$(xdotool getactivewindow)" = "$window" ]; }
  wait_for 10 "the program's window did not become the active window" active
}

IFS=$'\t' read -r rus1 kaz1 cat1 <<<"${first_rows[0]}"
IFS=$'\t' read -r rus2 kaz2 _ <<<"${first_rows[1]}"

from="$(mark)"
start_program
hears "$from" 20 "Табылған терминдер" || fail "at start Orca did not meet the grid"
hears "$from" 10 "$rus1" || fail "at start Orca did not read the grid's current row"
sleep 2
echo "desktop-speech-check: at start: $(spoken_since "$from" | paste -sd '|')"

step Tab "Іздеу push button"
step space "$found"
if spoken_since "$STEP_FROM" | grep -qF -e "Табылған терминдер" -e "$kaz1"; then
  fail "after a search from the Search button Orca moved into the grid: $(spoken_since "$STEP_FROM" | paste -sd '|')"
fi
echo "desktop-speech-check: a search: $(spoken_since "$STEP_FROM" | paste -sd '|')"

step shift+Tab "Табылған терминдер" "$rus1" "$kaz1" "$cat1"
echo "desktop-speech-check: entering the grid: $(spoken_since "$STEP_FROM" | paste -sd '|')"
step Down "$rus2" "$kaz2"
step Tab "Іздеу push button"
step Tab "Іздейтін сөз"
step Tab "Категория: Барлық категория"
echo "desktop-speech-check: the category list: $(spoken_since "$STEP_FROM" | paste -sd '|')"
step Down
step shift+Tab "Іздейтін сөз"
step Tab "Категория: Заңтану"
echo "desktop-speech-check: the category list once chosen: $(spoken_since "$STEP_FROM" | paste -sd '|')"
step Tab "Барлығы push button"
step Tab "Іздеу түрі" "Ішінде кездеседі"
heard="$(spoken_since "$STEP_FROM" | grep -o "Іздеу түрі" | wc -l)"
[ "$heard" -eq 1 ] || fail "entering the match-kind group Orca said its caption $heard times: $(spoken_since "$STEP_FROM" | paste -sd '|')"
step Tab "Іздеу өрісі" "Барлығы"
heard="$(spoken_since "$STEP_FROM" | grep -o "Іздеу өрісі" | wc -l)"
[ "$heard" -eq 1 ] || fail "entering the search-field group Orca said its caption $heard times: $(spoken_since "$STEP_FROM" | paste -sd '|')"
echo "desktop-speech-check: the radio groups: caption once each"

# The close request after a series of searches, again and again.
closed() { ! kill -0 "$app" 2>/dev/null; }
for ((run = 1; run <= close_runs; run++)); do
  if [ "$run" -gt 1 ]; then
    start_program
  fi
  xdotool key --clearmodifiers Tab
  for ((search = 1; search <= searches; search++)); do
    xdotool key --clearmodifiers space
    sleep 0.2
  done
  sleep 1
  /usr/bin/python3 "$closer" "$window" || fail "the close request could not be sent"
  deadline=$((SECONDS + 10))
  until closed; do
    [ "$SECONDS" -lt "$deadline" ] || fail "close $run of $close_runs: the window manager's close request after $searches searches was ignored for 10 s"
    sleep 0.1
  done
  status=0
  wait "$app" || status=$?
  [ "$status" -eq 0 ] || fail "close $run of $close_runs: the program ended with code $status: $(cat "$work/program.log")"
done
echo "desktop-speech-check: the close request after $searches searches closed the window $close_runs times of $close_runs"
echo "desktop-speech-check: passed"
