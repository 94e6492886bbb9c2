#!/usr/bin/env bash
# Builds sqlite3.dll, the engine lexaran.exe loads from its own folder,
# from Debian's own sqlite3 source package (the engine the Linux build
# loads), with Debian's compile-time options, into a cache outside the
# checkout, and prints the prefix (bin/sqlite3.dll, include/sqlite3.h,
# lib/libsqlite3.dll.a, LICENSE.md) on its last line.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/windows/common.sh
. "$root/scripts/windows/common.sh"

# Debian's own options for libsqlite3-0 (debian/rules of the source
# package, with its configure switches for FTS4, FTS5 and JSON), so both
# builds answer alike.
engine_flags=(
  -O2 -fno-strict-aliasing
  -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
  -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS4 -DSQLITE_ENABLE_FTS5
  -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY
  -DSQLITE_OMIT_LOOKASIDE=1 -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ALLOW_ROWID_IN_VIEW
  -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1 -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1
  -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1 -DSQLITE_ENABLE_FTS3_TOKENIZER=1
  -DSQLITE_USE_URI=1 -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK
  -DSQLITE_ENABLE_SESSION -DSQLITE_ENABLE_STMTVTAB -DSQLITE_MAX_VARIABLE_NUMBER=250000
)

fetch_source sqlite3
dsc="$(ls "$cache"/src/sqlite3_*.dsc)"
key="$( { basename "$dsc"; printf '%s\n' "${engine_flags[@]}"; cat "$0"; } | sha256sum | cut -c1-12)"
prefix="$cache/sqlite3-mingw-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work/sqlite3-$key"
rm -rf "$work"
mkdir -p "$work"
note "Unpacking sqlite3"
dpkg-source -x "$dsc" "$work/src" >"$work/unpack.log" 2>&1 ||
  fail "dpkg-source could not unpack sqlite3 (see $work/unpack.log)"

# The one-file engine (sqlite3.c) is generated on the build machine (with
# tclsh and the host's compiler), then compiled for Windows.
note "Generating the engine's single source file (log: $work/amalgamation.log)"
(cd "$work/src" && timeout 600 ./configure --disable-tcl >"$work/amalgamation.log" 2>&1 &&
  timeout 1200 make sqlite3.c sqlite3.h >>"$work/amalgamation.log" 2>&1) ||
  fail "generating sqlite3.c failed or took too long (see $work/amalgamation.log)"

note "Compiling sqlite3.dll"
mkdir -p "$prefix/bin" "$prefix/include" "$prefix/lib"
timeout 1200 x86_64-w64-mingw32-gcc-posix "${engine_flags[@]}" -shared \
  -o "$prefix/bin/sqlite3.dll" "$work/src/sqlite3.c" \
  -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a" -static-libgcc >"$work/compile.log" 2>&1 ||
  fail "compiling sqlite3.dll failed (see $work/compile.log)"
x86_64-w64-mingw32-strip --strip-unneeded "$prefix/bin/sqlite3.dll"
cp "$work/src/sqlite3.h" "$prefix/include/"
cp "$work/src/LICENSE.md" "$prefix/LICENSE.md"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
