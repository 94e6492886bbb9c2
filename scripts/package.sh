#!/usr/bin/env bash
# Builds the Debian package lexaran_<version>_<arch>.deb in build/package
# from debian/ with dpkg-buildpackage (debhelper, its CMake build system on
# Ninja, in build/deb): the program compiled with Debian's hardening flags,
# laid out by the project's CMake install rules, stripped, with the
# maintainer scripts that keep the dictionary in /var/lib/lexaran. The build
# is incremental: a second run compiles only what changed. Prints the
# package's path as its last line.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022
export LC_ALL=C.UTF-8

out=build/package
version="$(dpkg-parsechangelog -S Version)"
architecture="$(dpkg --print-architecture)"
deb="$out/lexaran_${version}_${architecture}.deb"
project_version="$(sed -n 's/^project(Lexaran VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)"
case "$project_version" in
  "$version"|"$version".*) ;;
  *) echo "debian/changelog is at $version but the project at $project_version" >&2; exit 1 ;;
esac

mkdir -p "$out"
rm -f "$deb"
# debhelper's record of a finished build would make it skip the build step,
# and with it the compiling of what changed since.
rm -f debian/debhelper-build-stamp
log="$out/dpkg-buildpackage.log"
echo "Building the Debian package with dpkg-buildpackage (log: $log)"
# -B: the binary package only; -nc: no clean first, so Ninja rebuilds only
# what changed; the .buildinfo and .changes beside the package, not in the
# directory above the checkout.
if ! timeout 3600 dpkg-buildpackage -B -nc --no-sign \
  "--buildinfo-option=-u$out" "--buildinfo-file=$out/lexaran_${version}_${architecture}.buildinfo" \
  "--changes-option=-u$out" "--changes-file=$out/lexaran_${version}_${architecture}.changes" \
  >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "dpkg-buildpackage failed or took longer than an hour (the end of $log above)" >&2
  exit 1
fi
# What debhelper leaves in debian/ while building; the build itself stays in
# build/deb for the next run.
rm -rf debian/lexaran debian/.debhelper debian/files debian/*.substvars debian/*.debhelper debian/*.debhelper.log debian/debhelper-build-stamp
[ -f "$deb" ] || { echo "dpkg-buildpackage made no $deb" >&2; exit 1; }
echo "$deb"
