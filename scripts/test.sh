#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite: once in the
# normal build, once built with AddressSanitizer and UndefinedBehaviorSanitizer
# (leak checking on), then every fuzzer for a bounded time, and finally the
# Debian package: built, installed on this machine and started from there.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

scripts/setup.sh default
ctest --preset default
scripts/package-check.sh build/default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset fuzz
cmake --build --preset fuzz
scripts/fuzz.sh build/fuzz "${LEXARAN_FUZZ_SECONDS:-30}"
