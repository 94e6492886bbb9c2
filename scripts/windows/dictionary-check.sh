# What the installer and the uninstaller do to the dictionary, as an
# administrator meets it; sourced by scripts/windows/desktop-check.sh, whose
# wine prefix, display and helpers (fail, say, wait_for, registration,
# windows_path, shot, fresh_session) it uses, with nothing installed:
#   - installed silently, the sample is termins.db; the registration names
#     the publisher and the size;
#   - an own dictionary put in place is kept by installing the same
#     version again and by installing a newer version;
#   - the silent uninstaller keeps the own dictionary and leaves nothing
#     else; an unchanged sample it removes with the rest;
#   - over an installation whose installer kept no copy of the sample, an
#     unchanged sample is still removed by the uninstaller, an own one kept;
#   - /DICTIONARY=<file> installs an organisation's dictionary, which the
#     uninstaller keeps; a file that is no SQLite file ends the installer
#     with exit code 4 before anything is installed.
# Not here, because wine 8 on this virtual desktop does not hold them still
# enough to check: the installer refusing while Lexaran runs (the program
# started for it closes its own window right after showing it, in a fresh
# wine session), and the installer clicked through by hand (its window
# takes no key now and then although it is the active one).
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

  say "dictionary checks passed in $((SECONDS - started)) s"
}
