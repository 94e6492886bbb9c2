#!/usr/bin/env bash
# Builds the Windows Qt that lexaran.exe links against, from Debian's own
# qt6-base source package, into a cache outside the checkout, and prints the
# prefix it lives in. A cache whose key matches is reused as it is: the key
# is what changes the built Qt (its version, the configure flags and the
# toolchain file), not this script's wording, so editing a comment here
# does not cost a rebuild. Qt's licence texts are kept beside the build, in
# licenses/, so packaging never unpacks the source again.
#
# Qt's installed CMake files hold absolute paths, so the cache lives at a
# fixed place: $LEXARAN_WINDOWS_CACHE (default /var/cache/lexaran-windows).
# Usage: scripts/windows/build-qt.sh   (prints the prefix on its last line)
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/windows/common.sh
. "$root/scripts/windows/common.sh"

qt_version=6.4.2
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
# What this Qt must hold: Core, Gui, Widgets and Test with the windows
# platform plugin and the Windows styles, nothing the program does not use.
# DirectWrite 3 is off: the windows platform plugin would otherwise ask for
# the DirectWrite font database, which this Qt builds only together with
# Direct2D; the program uses the platform's default (GDI) font database.
# Debian's source drops the tablet header, hence no tablet events.
qt_flags=(
  -release -shared -strip
  -no-opengl -no-dbus -no-icu
  -no-feature-network -no-feature-sql -no-feature-xml
  -no-feature-printsupport -no-feature-concurrent
  -no-feature-tabletevent -no-feature-directwrite3
  -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz
  -nomake examples -nomake tests
)

key="$( { echo "$qt_version"; printf '%s\n' "${qt_flags[@]}"; cat "$toolchain"; } | sha256sum | cut -c1-12)"
prefix="$cache/qt-$qt_version-mingw-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

fetch_source qt6-base
work="$cache/work/qt6-base-$key"
rm -rf "$work"
mkdir -p "$work"
note "Unpacking qt6-base"
dpkg-source -x "$cache/src/$(basename "$cache"/src/qt6-base_*.dsc)" "$work/src" >"$work/unpack.log" 2>&1 ||
  fail "dpkg-source could not unpack qt6-base (see $work/unpack.log)"

note "Configuring Qt $qt_version for Windows (log: $work/configure.log)"
mkdir -p "$work/build"
(cd "$work/build" &&
  timeout 1800 "$work/src/configure" -prefix "$prefix" -xplatform win32-g++ -qt-host-path /usr \
    "${qt_flags[@]}" -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$work/configure.log" 2>&1 ||
  fail "Qt's configure failed or took longer than 30 minutes (see $work/configure.log)"

note "Building Qt $qt_version for Windows: about half an hour on two cores (log: $work/build.log)"
timeout 7200 cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
  fail "building Qt failed or took longer than two hours (see $work/build.log)"
timeout 1200 cmake --install "$work/build" >"$work/install.log" 2>&1 ||
  fail "installing Qt failed (see $work/install.log)"
mkdir -p "$prefix/licenses"
for text in LGPL-3.0-only GPL-3.0-only; do
  cp "$work/src/LICENSES/$text.txt" "$prefix/licenses/" || fail "Qt's $text text is missing from its source"
done
cp "$work/src/debian/copyright" "$prefix/licenses/debian-copyright"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
