#!/usr/bin/env bash
# Installs what building and testing need, then runs the whole test suite:
# once in the normal build, the real program on a virtual desktop with a
# window manager and a screen reader's view of it, once built with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on), every fuzzer for a bounded
# time, the check of the Debian package (built, inspected and started
# from a scratch directory; nothing is installed on this machine), and the
# Windows build: its unit tests under wine and its installed program on a
# virtual desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen
# The same results whatever locale the caller has (or none): C.UTF-8 is
# always present on Debian.
export LC_ALL=C.UTF-8
# Qt's runtime directory, which it would otherwise create under /tmp and
# leave there.
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
# The Windows tests' wine session ends with the run.
trap 'rm -rf "$XDG_RUNTIME_DIR"; WINEPREFIX="$PWD/build/windows/wineprefix" timeout 30 /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT

scripts/setup.sh test

echo "== Normal build"
cmake --preset default --log-level=WARNING
cmake --build --preset default
ctest --preset default

echo "== The real program on a desktop (Xvfb, openbox, the accessibility bus)"
scripts/desktop-check.sh build/default
scripts/builder-check.sh build/default

echo "== Debian package"
scripts/package-check.sh

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build"
cmake --preset asan --log-level=WARNING
cmake --build --preset asan
ctest --preset asan

echo "== Fuzzers"
cmake --preset fuzz --log-level=WARNING
cmake --build --preset fuzz
scripts/fuzz.sh build/fuzz "${LEXARAN_FUZZ_SECONDS:-30}"

echo "== Windows build (MinGW-w64 against the Windows Qt and sqlite3.dll; zip and installer)"
scripts/build-windows.sh

echo "== Windows unit tests under wine"
ctest --preset windows

echo "== The Windows program installed and used on a desktop (wine, Xvfb, openbox)"
scripts/windows/desktop-check.sh build/windows
