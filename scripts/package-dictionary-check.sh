#!/usr/bin/env bash
# What the Debian package does to the dictionary, checked by installing it
# with dpkg into a throwaway Debian 12 root (a copy of a cached minimal root
# with the package's dependencies, scripts/lib/debian-root.sh), never on
# this machine:
#   - installed, the program's termins.db is a link to
#     /var/lib/lexaran/termins.db, a copy of the sample;
#   - an administrator's own dictionary copied over the program's
#     termins.db is kept by a reinstall, an upgrade to a higher version
#     (whose sample differs), a remove and an install after that; a purge
#     deletes it;
#   - a dictionary put into /var/lib/lexaran before the first install is
#     kept by that install.
# The copied root is removed on exit; nothing is mounted.
# Usage: scripts/package-dictionary-check.sh [package.deb]   (default: built by scripts/package.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C.UTF-8
started=$SECONDS

fail() { echo "package dictionary check: FAIL: $*" >&2; exit 1; }
say() { echo "package dictionary check: $*"; }
# shellcheck source=lib/debian-root.sh
. scripts/lib/debian-root.sh

if [ $# -ge 1 ]; then
  deb="$1"
else
  deb="$(scripts/package.sh | tail -n 1)"
fi
[ -f "$deb" ] || fail "no package at $deb"
command -v debootstrap >/dev/null || fail "debootstrap is missing; run scripts/setup.sh test"
version="$(dpkg-deb --field "$deb" Version)"

# The dependencies, each by its first alternative's name.
mapfile -t depends < <(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/[[:space:]]//g' | grep .)
debian_root_prepare "${depends[@]}" || fail "no throwaway Debian root (above)"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
root="$scratch/root"
debian_root_copy "$root" || fail "cannot copy the cached root to $root"
say "a fresh copy of the cached Debian root in $((SECONDS - started)) s"

# The packages and dictionaries, inside the root's /tmp.
mkdir -p "$root/tmp/check"
cp "$deb" "$root/tmp/check/lexaran.deb"
dpkg-deb -x "$deb" "$scratch/unpacked"
sample="$scratch/unpacked/usr/share/lexaran/termins.db"
[ -f "$sample" ] || fail "the package has no sample at /usr/share/lexaran/termins.db"
# The office's own dictionary: the sample with every second term gone and
# one of its own.
cp "$sample" "$root/tmp/check/own.db"
python3 - "$root/tmp/check/own.db" <<'PY' || fail "cannot make the own dictionary"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("delete from termin_items where id % 2 = 0")
db.execute("insert into termin_items (rus, kaz, cat, rus_upper, kaz_upper) values"
           " ('кабинет', 'кабинет', 'Офис', 'КАБИНЕТ', 'КАБИНЕТ')")
db.commit()
db.execute("vacuum")
PY
own="$root/tmp/check/own.db"

# A higher version of the package whose sample has one more term, as the
# next release's would.
upgrade_version="$version+1"
dpkg-deb -R "$deb" "$scratch/upgrade"
python3 - "$scratch/upgrade/usr/share/lexaran/termins.db" <<'PY' || fail "cannot change the next version's sample"
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("insert into termin_items (rus, kaz, cat, rus_upper, kaz_upper) values"
           " ('обновление', 'жаңарту', 'Информатика', 'ОБНОВЛЕНИЕ', 'ЖАҢАРТУ')")
db.commit()
PY
sed -i "s/^Version: .*/Version: $upgrade_version/" "$scratch/upgrade/DEBIAN/control"
(cd "$scratch/upgrade" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$scratch/upgrade/DEBIAN/md5sums"
dpkg-deb --root-owner-group -Zxz --build "$scratch/upgrade" "$root/tmp/check/lexaran-upgrade.deb" >/dev/null

# dpkg and the maintainer scripts run inside the root, with a bounded wait.
in_root() {
  timeout 300 chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@" \
    >>"$scratch/dpkg.log" 2>&1 || { cat "$scratch/dpkg.log" >&2; fail "'$*' in the Debian root failed or took longer than 300 s (output above)"; }
}
dictionary="$root/var/lib/lexaran/termins.db"
# expect_dictionary FILE STEP: the dictionary is the content of FILE, and
# the program's termins.db is still the link to it.
expect_dictionary() {
  [ -f "$dictionary" ] || fail "$2: no dictionary at /var/lib/lexaran/termins.db"
  cmp -s "$1" "$dictionary" || fail "$2: the dictionary is not the $(basename "$1") expected"
  [ "$(readlink "$root/usr/lib/lexaran/termins.db")" = /var/lib/lexaran/termins.db ] ||
    fail "$2: /usr/lib/lexaran/termins.db is not the link to /var/lib/lexaran/termins.db"
}
installed_version() { chroot "$root" dpkg-query -W -f='${Version} ${Status}' lexaran 2>/dev/null || true; }

in_root dpkg -i /tmp/check/lexaran.deb
expect_dictionary "$sample" "installed"
[ "$(stat -c '%U %a' "$dictionary")" = "root 644" ] || fail "the copied sample is not root's, mode 644: $(stat -c '%U %a' "$dictionary")"
say "installed $version: /usr/lib/lexaran/termins.db links to /var/lib/lexaran/termins.db, a copy of the sample"

# The administrator copies the office's dictionary over the program's.
in_root cp /tmp/check/own.db /usr/lib/lexaran/termins.db
expect_dictionary "$own" "the own dictionary copied over /usr/lib/lexaran/termins.db"

in_root dpkg -i /tmp/check/lexaran.deb
expect_dictionary "$own" "reinstalled $version"
say "reinstalled $version: the own dictionary kept"

in_root dpkg -i /tmp/check/lexaran-upgrade.deb
[ "$(installed_version)" = "$upgrade_version install ok installed" ] || fail "the upgrade is not installed: $(installed_version)"
expect_dictionary "$own" "upgraded to $upgrade_version"
say "upgraded to $upgrade_version (another sample): the own dictionary kept"

in_root dpkg -r lexaran
[ "$(installed_version)" = "$upgrade_version deinstall ok config-files" ] || fail "not removed: $(installed_version)"
[ ! -e "$root/usr/lib/lexaran" ] && [ ! -e "$root/usr/share/lexaran" ] ||
  fail "removing left $(find "$root/usr/lib/lexaran" "$root/usr/share/lexaran" 2>/dev/null | tr '\n' ' ')"
cmp -s "$own" "$dictionary" || fail "removing the package did not keep the own dictionary"
say "removed: the program and the sample gone, the own dictionary kept in /var/lib/lexaran"

in_root dpkg -i /tmp/check/lexaran-upgrade.deb
expect_dictionary "$own" "installed again after the remove"
say "installed again after the remove: the own dictionary kept"

in_root dpkg -P lexaran
[ -z "$(installed_version)" ] || fail "not purged: $(installed_version)"
[ ! -e "$root/var/lib/lexaran" ] || fail "purging left $(cd "$root" && find var/lib/lexaran | tr '\n' ' ')"
say "purged: /var/lib/lexaran deleted"

# An organisation's dictionary put in place before the first install.
mkdir -p "$root/var/lib/lexaran"
cp "$own" "$dictionary"
in_root dpkg -i /tmp/check/lexaran.deb
expect_dictionary "$own" "installed over a dictionary put into /var/lib/lexaran first"
in_root dpkg -P lexaran
[ ! -e "$root/var/lib/lexaran" ] || fail "purging left $(cd "$root" && find var/lib/lexaran | tr '\n' ' ')"
say "installed over a dictionary put into /var/lib/lexaran beforehand: kept; purged: deleted"
say "passed in $((SECONDS - started)) s"
