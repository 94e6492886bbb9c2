#!/usr/bin/env bash
# Installs what building and testing need, then runs the whole test suite:
# once in the normal build, the real program on a virtual desktop with a
# window manager and a screen reader's view of it, once built with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on), every fuzzer for a bounded
# time, and the check of the Debian package (built, inspected and started
# from a scratch directory; nothing is installed on this machine).
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
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

scripts/setup.sh test

echo "== Normal build"
cmake --preset default --log-level=WARNING
cmake --build --preset default
ctest --preset default

echo "== The real program on a desktop (Xvfb, openbox, the accessibility bus)"
scripts/desktop-check.sh build/default

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
