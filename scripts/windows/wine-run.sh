#!/usr/bin/env bash
# Runs a Windows program of the build under wine: CMake's emulator for the
# Windows build (tests, the importer making the sample dictionary).
#
# - The wine prefix is $WINEPREFIX, or one of the build's own
#   (build/windows/wineprefix), made on first use.
# - The Windows Qt's DLLs and the MinGW runtime come through WINEPATH;
#   sqlite3.dll sits beside the programs, where the store loads it from.
# - wine hands no QT_* variable to a Windows program, but turns WINEQT_* into
#   QT_*; so every QT_* variable here is passed on that way.
# - A Qt Test program (LEXARAN_QTEST=1) prints nothing to a redirected
#   standard output under wine, so its report goes to a file that is then
#   printed.
# The exit code is the program's; a program that runs longer than
# $LEXARAN_WINE_TIMEOUT seconds (default 600) is stopped with a message.
# Usage: scripts/windows/wine-run.sh program.exe [arguments...]
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/windows/common.sh
. "$root/scripts/windows/common.sh"

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine-run: $wine is missing (Debian package wine64)" >&2; exit 1; }
# The Windows Qt: as scripts/build-windows.sh names it, or as the build
# was configured with.
if [ -z "${LEXARAN_WINDOWS_QT:-}" ] && [ -f "$root/build/windows/build/CMakeCache.txt" ]; then
  LEXARAN_WINDOWS_QT="$(sed -n 's/^CMAKE_PREFIX_PATH:[A-Z]*=//p' "$root/build/windows/build/CMakeCache.txt")"
fi
[ -d "${LEXARAN_WINDOWS_QT:-}/bin" ] ||
  { echo "wine-run: no Windows Qt; set LEXARAN_WINDOWS_QT or run scripts/build-windows.sh" >&2; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No .NET or browser engine in the prefix: nothing here needs them, and wine
# would otherwise offer to download them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEPATH="Z:$LEXARAN_WINDOWS_QT/bin;Z:$(mingw_runtime_dir);Z:$(mingw_threads_dir)"
while IFS='=' read -r name value; do
  case "$name" in QT_*) export "WINE$name=$value" ;; esac
done < <(env)

# One prefix for all programs, made once even when several start together.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock -w 300 9 || { echo "wine-run: waited 300 s for another start to make $WINEPREFIX" >&2; exit 1; }
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      make_wine_prefix "$WINEPREFIX.wineboot.log"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

limit="${LEXARAN_WINE_TIMEOUT:-600}"
status=0
if [ "${LEXARAN_QTEST:-0}" = 1 ]; then
  report="$(mktemp)"
  trap 'rm -f "$report"' EXIT
  timeout "$limit" "$wine" "$@" -o "$report,txt" </dev/null || status=$?
  cat "$report"
else
  timeout "$limit" "$wine" "$@" || status=$?
fi
if [ "$status" -eq 124 ]; then
  echo "wine-run: $1 ran longer than $limit s and was stopped" >&2
fi
exit "$status"
