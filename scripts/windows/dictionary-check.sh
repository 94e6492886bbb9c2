# What the installer and the uninstaller do to the dictionary, as an
# administrator meets it; sourced by scripts/windows/desktop-check.sh, whose
# wine prefix, display and helpers (fail, say, wait_for, registration,
# windows_path, shot, fresh_session) it uses, with nothing installed:
#   - installed silently, the sample is termins.db; the registration names
#     the publisher and the size;
#   - an own dictionary put in place is kept by installing the same
#     version again and by installing a newer version;
#   - with Lexaran running, the silent installer ends with exit code 3 and
#     changes nothing;
#   - the silent uninstaller keeps the own dictionary and leaves nothing
#     else; an unchanged sample it removes with the rest;
#   - over an installation whose installer kept no copy of the sample, an
#     unchanged sample is still removed by the uninstaller, an own one kept;
#   - /DICTIONARY=<file> installs an organisation's dictionary, which the
#     uninstaller keeps; a file that is no SQLite file ends the installer
#     with exit code 4 before anything is installed;
#   - run interactively, the licence page is the Kazakh licence, and the
#     finish page starts the program through the desktop's explorer.exe,
#     not itself; the uninstaller, run interactively, says in Kazakh in its
#     list of what it did that it kept a changed dictionary, and where.
# Usage (from desktop-check.sh): windows_dictionary_check
# shellcheck shell=bash

# dictionary_install INSTALLER [ARGUMENTS...]: sets status to its exit code.
dictionary_install() {
  status=0
  timeout 300 "$wine" "$@" /S >>"$work/dictionary-install.log" 2>&1 || status=$?
  [ "$status" -ne 124 ] || fail "the silent installer $(basename "$1") took longer than 300 s"
}
# The uninstaller goes on from a copy of itself after the first one ends.
uninstaller_gone() { [ ! -e "$folder/uninstall.exe" ] && ! registration >/dev/null; }
dictionary_uninstall() {
  timeout 120 "$wine" 'C:\Program Files\Lexaran\uninstall.exe' /S >>"$work/dictionary-install.log" 2>&1 ||
    fail "the silent uninstaller failed"
  wait_for 60 "the uninstaller did not finish" uninstaller_gone
}
dictionary_left() { (cd "$folder" 2>/dev/null && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' '); }
dictionary_listing() { (cd "$folder" && find . -printf '%P %y %s %T@\n' | sort); }


windows_dictionary_check() {
  local started=$SECONDS stage="$out/Lexaran" version next status
  version="$(basename "$installer" | sed -n 's/^lexaran-\(.*\)-setup\.exe$/\1/p')"
  [ -n "$version" ] || fail "cannot read the version from $installer"
  # The next version's installer, from the same program folder.
  next="${version%.*}.$((${version##*.} + 1))"
  local upgrade="$work/lexaran-$next-setup.exe"
  "$root/scripts/windows/make-installer.sh" "$stage" "$next" "$upgrade" || fail "cannot make the $next installer"

  # The organisation's own dictionary: the sample with every second term gone.
  local own="$work/own-termins.db" not_sqlite="$work/not-a-dictionary.db"
  cp "$stage/termins.db" "$own"
  python3 - "$own" <<'PY' || fail "cannot make the own dictionary"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("delete from termin_items where id % 2 = 0")
db.commit()
db.execute("vacuum")
PY
  printf 'rus\tkaz\tcat\n' >"$not_sqlite"

  # --- The sample only where there is none.
  [ ! -e "$folder" ] || fail "the dictionary checks need no installation, but $folder is there"
  dictionary_install "$installer"
  [ "$status" -eq 0 ] || fail "the silent installer ended with $status"
  cmp -s "$stage/termins.db" "$folder/termins.db" || fail "a fresh installation's termins.db is not the sample"
  registration >"$work/registration.txt" || fail "no registration after installing"
  grep -qx '"Publisher"="Lexaran әзірлеушілері"' "$work/registration.txt" ||
    fail "the registered publisher is not Lexaran әзірлеушілері: $(grep Publisher "$work/registration.txt")"
  local size_kib estimated
  size_kib="$(du -sk --apparent-size "$folder" | cut -f1)"
  estimated="$(sed -n 's/^"EstimatedSize"=dword:\([0-9a-f]*\)$/\1/p' "$work/registration.txt")"
  [ -n "$estimated" ] || fail "no EstimatedSize registered"
  estimated=$((16#$estimated))
  [ "$estimated" -ge $((size_kib * 9 / 10)) ] && [ "$estimated" -le $((size_kib * 11 / 10)) ] ||
    fail "the registered EstimatedSize is $estimated KiB; the folder holds $size_kib KiB"
  say "installed: the sample as termins.db; publisher 'Lexaran әзірлеушілері', EstimatedSize $estimated KiB (folder: $size_kib KiB)"

  # --- An own dictionary survives installing again and upgrading.
  cp "$own" "$folder/termins.db"
  dictionary_install "$installer"
  [ "$status" -eq 0 ] || fail "installing $version again ended with $status"
  cmp -s "$own" "$folder/termins.db" || fail "installing $version again replaced the own dictionary"
  dictionary_install "$upgrade"
  [ "$status" -eq 0 ] || fail "installing $next over $version ended with $status"
  cmp -s "$own" "$folder/termins.db" || fail "installing $next replaced the own dictionary"
  registration | grep -qx "\"DisplayVersion\"=\"$next\"" || fail "after the upgrade the registered version is not $next"
  say "the own dictionary kept by installing $version again and by installing $next"

  # --- Not while Lexaran runs from the folder.
  # Started as the main check starts it; the process wine starts for
  # lexaran.exe is the program itself, so its id tells whether it runs.
  # The session is brought up first (wineboot, services, the desktop) by a
  # program that ends at once: the first program of a fresh session races
  # wineboot for the desktop, and its window is then now and then destroyed
  # by wine a moment after it is shown, the program ending with it. Should
  # wine still end it, it is started once more, and the exit code is shown.
  local running="" attempt
  program_runs() { [ -n "$running" ] && kill -0 "$running" 2>/dev/null; }
  running_status() {
    local code=0
    wait "$running" || code=$?
    printf 'ended with exit code %s; wine said: %s' "$code" "$(tail -n 3 "$work/running.log" | tr '\n' ' ')"
  }
  running_shown() { program_runs && find_window "$title" && probe "$title"; }
  shown_or_ended() { ! program_runs || running_shown; }
  for attempt in 1 2 3; do
    fresh_session
    timeout 60 "$wine" cmd /c exit >/dev/null 2>&1 || fail "wine did not start a session (cmd /c exit failed or took longer than 60 s)"
    (cd "$drive_c/elsewhere" && exec "$wine" 'C:\Program Files\Lexaran\lexaran.exe') >"$work/running.log" 2>&1 &
    running=$!
    pids+=("$running")
    # Bounded by hand: a program that runs with no window is started again.
    local deadline=$((SECONDS + 60))
    until shown_or_ended || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.5; done
    if program_runs && ! running_shown; then
      say "the program to run during an install (process $running) showed no window in 60 s (attempt $attempt); starting it again"
      kill "$running" 2>/dev/null || true
      wait "$running" 2>/dev/null || true
      continue
    fi
    sleep 3
    program_runs && break
    say "the program to run during an install $(running_status) (attempt $attempt)"
  done
  program_runs || fail "the program to run during an install did not stay up in three attempts (above)"
  dictionary_listing >"$work/before-running-install"
  registration >"$work/registration-before" || true
  dictionary_install "$upgrade"
  [ "$status" -eq 3 ] || fail "with Lexaran running the silent installer ended with $status, not 3 (the program $(program_runs && echo runs still || running_status))"
  dictionary_listing | cmp -s - "$work/before-running-install" || fail "with Lexaran running the installer changed the folder"
  registration | cmp -s - "$work/registration-before" || fail "with Lexaran running the installer changed the registration"
  timeout 30 "$wine" taskkill /f /im lexaran.exe >/dev/null 2>&1 || true
  running_ended() { ! program_runs; }
  wait_for 20 "the program did not end" running_ended
  say "with Lexaran running the silent installer ends with exit code 3 and changes nothing"

  # --- Uninstalling keeps the own dictionary and nothing else.
  dictionary_uninstall
  [ "$(dictionary_left)" = "termins.db " ] || fail "the uninstaller left '$(dictionary_left)' instead of the own termins.db alone"
  cmp -s "$own" "$folder/termins.db" || fail "the uninstaller changed the own dictionary"
  [ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
  rm -rf "$folder"
  say "uninstalled: the own termins.db kept, nothing else left"

  # --- An organisation's dictionary deployed with the program.
  dictionary_install "$installer" "/DICTIONARY=$(windows_path "$not_sqlite")"
  [ "$status" -eq 4 ] || fail "with /DICTIONARY= naming no SQLite file the installer ended with $status, not 4"
  [ ! -e "$folder" ] || fail "with /DICTIONARY= naming no SQLite file the installer installed '$(dictionary_left)'"
  # From a folder whose name has a blank, so the option comes quoted.
  mkdir -p "$work/organisation share"
  cp "$own" "$work/organisation share/termins.db"
  dictionary_install "$installer" "/DICTIONARY=$(windows_path "$work/organisation share/termins.db")"
  [ "$status" -eq 0 ] || fail "installing with /DICTIONARY= ended with $status"
  cmp -s "$own" "$folder/termins.db" || fail "/DICTIONARY= did not install the organisation's dictionary"
  [ ! -e "$folder/termins-sample.db" ] || fail "after a /DICTIONARY= install the uninstaller would take termins.db for the sample"
  dictionary_uninstall
  [ "$(dictionary_left)" = "termins.db " ] || fail "after a /DICTIONARY= install the uninstaller left '$(dictionary_left)'"
  rm -rf "$folder"
  say "/DICTIONARY= installs the organisation's dictionary and the uninstaller keeps it; a file that is no SQLite file: exit code 4, nothing installed"

  # --- An installation whose installer kept no copy of the sample: installing
  # again takes termins.db for the sample only when it is, and then the
  # uninstaller removes it with everything else.
  dictionary_install "$installer"
  rm "$folder/termins-sample.db"
  dictionary_install "$installer"
  [ -f "$folder/termins-sample.db" ] || fail "installing over an unchanged sample without its copy kept no copy"
  dictionary_uninstall
  [ ! -e "$folder" ] || fail "uninstalling with the sample unchanged left '$(dictionary_left)'"
  dictionary_install "$installer"
  cp "$own" "$folder/termins.db"
  rm "$folder/termins-sample.db"
  dictionary_install "$installer"
  [ ! -e "$folder/termins-sample.db" ] || fail "installing over an own dictionary without a copy of the sample took it for the sample"
  cmp -s "$own" "$folder/termins.db" || fail "installing over an own dictionary without a copy of the sample replaced it"
  dictionary_uninstall
  [ "$(dictionary_left)" = "termins.db " ] || fail "the uninstaller left '$(dictionary_left)'"
  rm -rf "$folder"
  say "over an installation without the sample's copy: an unchanged sample is removed by the uninstaller, an own dictionary kept"

  windows_interactive_check
  say "dictionary checks passed in $((SECONDS - started)) s"
}

# The installer and the uninstaller as a user clicks through them, with the
# keyboard: Enter takes each page's default button.
windows_interactive_check() {
  local setup_title="Lexaran - терминдер қоры орнату" setup_window="" setup
  fresh_session
  setup_on_display() {
    setup_window="$(xdotool search --onlyvisible --name "^$setup_title\$" 2>/dev/null | head -n1 || true)"
    [ -n "$setup_window" ]
  }
  # Each key goes to the window once the window manager has made it the
  # active one, which is checked, not assumed, and wine has taken the focus
  # from a click on its title bar (an active window alone does not always
  # get wine's keyboard focus).
  setup_active() {
    timeout 5 xdotool windowactivate --sync "$setup_window" >/dev/null 2>&1 || true
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$setup_window" ]
  }
  press_enter() {
    local X Y WIDTH HEIGHT SCREEN
    wait_for 20 "the window $setup_window ('$(xdotool getwindowname "$setup_window" 2>/dev/null)') cannot be made the active one" setup_active
    eval "$(xdotool getwindowgeometry --shell "$setup_window")"
    xdotool mousemove $((X + 100)) $((Y - 8)) click 1
    sleep 1
    xdotool key Return
    sleep 2
  }
  # The processes the installer creates, as wine reports them.
  (cd "$drive_c/elsewhere" && WINEDEBUG=+process exec "$wine" "$installer") >"$work/interactive-install.log" 2>&1 &
  setup=$!
  pids+=("$setup")
  wait_for 60 "the installer showed no window titled '$setup_title'" setup_on_display
  sleep 2
  shot installer-welcome
  press_enter
  shot installer-licence
  press_enter
  press_enter
  # The files are installed; the finish page, its "start Lexaran" ticked.
  finished_copying() { [ -f "$folder/uninstall.exe" ]; }
  wait_for 120 "the interactive installer installed nothing" finished_copying
  sleep 3
  shot installer-finish
  press_enter
  setup_ended() { ! kill -0 "$setup" 2>/dev/null; }
  wait_for 60 "the installer did not end after the finish page" setup_ended
  wait_for 60 "the finish page did not start Lexaran" find_window "$title"
  shot started-from-finish-page
  # Which thread of which process created which program: the installer
  # must have created explorer.exe with the program's path, and explorer.exe
  # the program.
  python3 - "$work/interactive-install.log" <<'PY' || fail "the finish page did not start Lexaran through explorer.exe (see $work/interactive-install.log)"
import re, sys
created = []  # (creating thread, command line, first thread of the new process)
pending = {}
for line in open(sys.argv[1], encoding="latin-1"):
    m = re.match(r'([0-9a-f]{4}):trace:process:CreateProcessInternalW app .* cmdline L"(.*)"$', line.rstrip("\n"))
    if m:
        pending[m.group(1)] = m.group(2)
        continue
    m = re.match(r'([0-9a-f]{4}):trace:process:CreateProcessInternalW started process pid [0-9a-f]+ tid ([0-9a-f]+)', line)
    if m and m.group(1) in pending:
        created.append((m.group(1), pending.pop(m.group(1)), m.group(2)))
program = r'C:\\Program Files\\Lexaran\\lexaran.exe'
explorers = [c for c in created if "explorer.exe" in c[1] and program in c[1]]
programs = [c for c in created if "explorer.exe" not in c[1] and program in c[1]]
if len(explorers) != 1 or len(programs) != 1:
    sys.exit(f"explorer.exe started with the program: {explorers}; the program started: {programs}")
if programs[0][0] != explorers[0][2]:
    sys.exit(f"the program was started by thread {programs[0][0]}, not by explorer.exe (thread {explorers[0][2]})")
PY
  say "clicked through the installer; its finish page started Lexaran through explorer.exe, as the user"
  timeout 30 "$wine" taskkill /f /im lexaran.exe >/dev/null 2>&1 || true
  sleep 2

  # The uninstaller, run by hand over a changed dictionary, says so in the
  # list of what it did, which stays open when it is done.
  cp "$work/own-termins.db" "$folder/termins.db"
  fresh_session
  (exec "$wine" 'C:\Program Files\Lexaran\uninstall.exe') >"$work/interactive-uninstall.log" 2>&1 &
  pids+=("$!")
  local uninstall_title="Lexaran - терминдер қоры жою"
  uninstall_on_display() {
    setup_window="$(xdotool search --onlyvisible --name "^$uninstall_title *\$" 2>/dev/null | head -n1 || true)"
    [ -n "$setup_window" ]
  }
  wait_for 60 "the uninstaller showed no window titled '$uninstall_title'" uninstall_on_display
  sleep 2
  press_enter
  wait_for 60 "the interactive uninstaller did not finish" uninstaller_gone
  sleep 2
  shot uninstaller-done
  # The list's own menu copies it (NSIS's "copy details").
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$setup_window")"
  local line='Өзгертілген сөздік жойылмай, сақталды: C:\Program Files\Lexaran\termins.db'
  copy_details() {
    printf '' | xclip -selection clipboard
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 200)) click 3
    sleep 1
    xdotool key Down Return
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null | tr -d '\r' | grep -qxF "$line"
  }
  wait_for 20 "the uninstaller's list does not say '$line' (copied: $(xclip -o -selection clipboard 2>/dev/null | tr '\r\n' '  '))" copy_details
  press_enter
  [ "$(dictionary_left)" = "termins.db " ] || fail "the interactive uninstaller left '$(dictionary_left)'"
  rm -rf "$folder"
  say "the uninstaller, run by hand over a changed dictionary, says: $line"
}
