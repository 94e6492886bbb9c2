#!/usr/bin/env bash
# Builds zlib1.dll and libminizip-1.dll, the zip reader lexaran-import.exe
# uses, from Debian's own zlib and minizip source packages (the ones the
# Linux build links, Debian's patches applied), into a cache outside the
# checkout, and prints the prefix (bin/*.dll, include/, include/minizip/,
# lib/*.dll.a, licenses/) on its last line.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
# shellcheck source=scripts/windows/common.sh
. "$root/scripts/windows/common.sh"

cc=x86_64-w64-mingw32-gcc-posix
flags=(-O2 -fno-strict-aliasing -D_LARGEFILE64_SOURCE=1)

# The versions the Linux build links (the machine's zlib1g and
# libminizip1), so both builds read zip files alike.
fetch_version() {
  local package="$1" binary="$2" version
  version="$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)"
  [ -n "$version" ] || fail "$binary is not installed (scripts/setup.sh run installs it)"
  mkdir -p "$cache/src"
  compgen -G "$cache/src/${package}_${version#*:}.dsc" >/dev/null && return
  private_apt_options
  note "Fetching Debian's source of $package $version"
  timeout 600 apt-get "${apt_private[@]}" update >"$cache/apt/update.log" 2>&1 ||
    fail "apt-get update of the private source list failed or took longer than 10 minutes (see $cache/apt/update.log)"
  (cd "$cache/src" && timeout 1200 apt-get "${apt_private[@]}" source --download-only "$package=$version") \
    >"$cache/apt/source-$package.log" 2>&1 ||
    fail "apt-get source $package=$version failed (see $cache/apt/source-$package.log)"
}
fetch_version zlib zlib1g
fetch_version minizip libminizip-dev
zlib_dsc="$cache/src/zlib_$(dpkg-query -W -f='${Version}' zlib1g | sed 's/^[0-9]*://').dsc"
minizip_dsc="$cache/src/minizip_$(dpkg-query -W -f='${Version}' libminizip-dev | sed 's/^[0-9]*://').dsc"
key="$( { basename "$zlib_dsc"; basename "$minizip_dsc"; printf '%s\n' "${flags[@]}"; cat "$0"; } | sha256sum | cut -c1-12)"
prefix="$cache/zlib-minizip-mingw-$key"
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work="$cache/work/zlib-minizip-$key"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/bin" "$prefix/include/minizip" "$prefix/lib" "$prefix/licenses"
note "Unpacking zlib and minizip"
dpkg-source -x "$zlib_dsc" "$work/zlib" >"$work/unpack.log" 2>&1 &&
  dpkg-source -x "$minizip_dsc" "$work/minizip" >>"$work/unpack.log" 2>&1 ||
  fail "dpkg-source could not unpack zlib or minizip (see $work/unpack.log)"

note "Compiling zlib1.dll (log: $work/zlib.log)"
# Debian's source carries no Windows makefile: the library's sources
# compiled into one DLL, every function exported as the makefile would.
zlib_sources=(adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees
  uncompr zutil)
(cd "$work/zlib" && timeout 1200 "$cc" "${flags[@]}" -shared -o zlib1.dll "${zlib_sources[@]/%/.c}" \
  -Wl,--out-implib,libz.dll.a -static-libgcc >"$work/zlib.log" 2>&1) ||
  fail "compiling zlib1.dll failed (see $work/zlib.log)"
cp "$work/zlib/zlib1.dll" "$prefix/bin/"
cp "$work/zlib/libz.dll.a" "$prefix/lib/"
cp "$work/zlib/zlib.h" "$work/zlib/zconf.h" "$prefix/include/"

note "Compiling libminizip-1.dll (log: $work/minizip.log)"
src="$work/minizip"
[ -f "$src/unzip.c" ] || src="$work/minizip/contrib/minizip"
timeout 1200 "$cc" "${flags[@]}" -shared -I"$prefix/include" -o "$prefix/bin/libminizip-1.dll" \
  "$src/ioapi.c" "$src/unzip.c" "$src/zip.c" -L"$prefix/lib" -lz \
  -Wl,--out-implib,"$prefix/lib/libminizip.dll.a" -static-libgcc >"$work/minizip.log" 2>&1 ||
  fail "compiling libminizip-1.dll failed (see $work/minizip.log)"
cp "$src/ioapi.h" "$src/unzip.h" "$src/zip.h" "$prefix/include/minizip/"
x86_64-w64-mingw32-strip --strip-unneeded "$prefix/bin/zlib1.dll" "$prefix/bin/libminizip-1.dll"
cp "$work/zlib/debian/copyright" "$prefix/licenses/zlib-copyright.txt"
cp "$work/minizip/debian/copyright" "$prefix/licenses/minizip-copyright.txt"
echo "zlib $(basename "$zlib_dsc" .dsc | cut -d_ -f2), minizip $(basename "$minizip_dsc" .dsc | cut -d_ -f2)" \
  >"$prefix/versions.txt"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
