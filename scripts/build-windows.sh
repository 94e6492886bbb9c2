#!/usr/bin/env bash
# Builds Lexaran for 64-bit Windows on Debian, from Debian's archive alone:
#   1. installs the Debian packages the Windows build needs;
#   2. builds (or reuses) the Windows Qt from Debian's qt6-base source and
#      sqlite3.dll from Debian's sqlite3 source, in a cache outside the
#      checkout ($LEXARAN_WINDOWS_CACHE, default /var/cache/lexaran-windows);
#   3. builds the program, the importer, the sample dictionary (made by the
#      Windows importer under wine) and the unit tests (`windows` preset);
#   4. lays out in build/windows/:
#        Lexaran/                        the program folder, as installed
#        lexaran-1.0.0-windows-x64.zip   that folder, portable
#        lexaran-1.0.0-setup.exe         the installer (NSIS)
# Usage: scripts/build-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
# shellcheck source=scripts/windows/common.sh
. scripts/windows/common.sh
export LC_ALL=C.UTF-8

scripts/setup.sh windows

started=$SECONDS
LEXARAN_WINDOWS_QT="$(scripts/windows/build-qt.sh | tail -n 1)"
LEXARAN_WINDOWS_SQLITE="$(scripts/windows/build-sqlite.sh | tail -n 1)"
LEXARAN_WINDOWS_ZLIB="$(scripts/windows/build-zlib.sh | tail -n 1)"
export LEXARAN_WINDOWS_QT LEXARAN_WINDOWS_SQLITE LEXARAN_WINDOWS_ZLIB
note "Windows Qt and engine ready after $((SECONDS - started)) s"

cmake --preset windows --log-level=WARNING
cmake --build --preset windows

out="$root/build/windows"
bin="$out/build/bin"
version="$(sed -n 's/^project(Lexaran VERSION \([0-9.]*\)\.[0-9]* .*/\1/p' CMakeLists.txt)"
[ -n "$version" ] || fail "no version in CMakeLists.txt"

# The program folder: what the zip holds and the installer installs.
stage="$out/Lexaran"
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/licenses"
cp "$bin/lexaran.exe" "$bin/sqlite3.dll" "$stage/"
cp "$bin/lexaran-import.exe" "$LEXARAN_WINDOWS_ZLIB"/bin/{zlib1,libminizip-1}.dll "$stage/"
# The dictionary builder, beside the program whose dictionary it makes.
cp "$bin/lexaran-builder.exe" "$stage/"
cp "$out/build/data/sample-termins.db" "$stage/termins.db"
cp "$LEXARAN_WINDOWS_QT"/bin/Qt6{Core,Gui,Widgets}.dll "$stage/"
cp "$LEXARAN_WINDOWS_QT/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$LEXARAN_WINDOWS_QT/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
mingw_runtime=(
  /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
  /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
)
cp "${mingw_runtime[@]}" "$stage/"

# Nothing in the folder may ask for a DLL that neither the folder nor
# Windows itself provides.
windows_dlls='^(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|netapi32|userenv|shlwapi|setupapi|wtsapi32|authz|mpr|d3d9|d3d11|d3d12|dxgi|dwrite|d2d1|dcomp|msvcrt|api-ms-win-.*|ntdll|comctl32|shcore|rpcrt4|crypt32|secur32|bcrypt|winspool\.drv|uiautomationcore|oleacc)\.dll$'
while IFS= read -r dll; do
  wanted="$(printf '%s' "$dll" | tr '[:upper:]' '[:lower:]')"
  if ! printf '%s\n' "$wanted" | grep -Eq "$windows_dlls" &&
    ! find "$stage" -maxdepth 1 -iname "$dll" | grep -q .; then
    fail "the program folder lacks $dll"
  fi
done < <(find "$stage" \( -name '*.dll' -o -name '*.exe' \) -print0 | xargs -0 x86_64-w64-mingw32-objdump -p |
  sed -n 's/^\s*DLL Name: //p' | sort -u)

# The licences of everything shipped.
licenses="$stage/licenses"
cp LICENSE "$licenses/Lexaran-MIT.txt"
cp "$LEXARAN_WINDOWS_SQLITE/LICENSE.md" "$licenses/SQLite-public-domain.md"
cp "$LEXARAN_WINDOWS_QT/licenses/LGPL-3.0-only.txt" "$licenses/Qt-LGPL-3.0.txt"
cp "$LEXARAN_WINDOWS_QT/licenses/GPL-3.0-only.txt" "$licenses/Qt-GPL-3.0.txt"
cp "$LEXARAN_WINDOWS_QT/licenses/debian-copyright" "$licenses/Qt-third-party-notices.txt"
cp "$LEXARAN_WINDOWS_ZLIB/licenses/zlib-copyright.txt" "$licenses/zlib.txt"
cp "$LEXARAN_WINDOWS_ZLIB/licenses/minizip-copyright.txt" "$licenses/minizip.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/MinGW-GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-common/copyright "$licenses/MinGW-w64-winpthreads.txt"
cat >"$licenses/README.txt" <<EOF
Lexaran $version for 64-bit Windows, and what it is built from:

  lexaran.exe, lexaran-import.exe  Lexaran-MIT.txt
  Qt6Core.dll, Qt6Gui.dll,         Qt 6.4.2 (qtbase), under the GNU LGPL version 3
  Qt6Widgets.dll, platforms\\,      (Qt-LGPL-3.0.txt, with Qt-GPL-3.0.txt, which it
  styles\\                          extends); Qt's bundled third-party code:
                                   Qt-third-party-notices.txt. Built unchanged from
                                   Debian's qt6-base source package; that source is
                                   available from Debian's archive (qt6-base 6.4.2).
  sqlite3.dll                      SQLite 3.40.1, public domain (SQLite-public-domain.md)
  zlib1.dll                        zlib $(sed -n 's/^zlib \([^,]*\),.*/\1/p' "$LEXARAN_WINDOWS_ZLIB/versions.txt"), zlib licence (zlib.txt); built from Debian's
                                   zlib source package
  libminizip-1.dll                 minizip $(sed -n 's/.*minizip //p' "$LEXARAN_WINDOWS_ZLIB/versions.txt"), zlib licence (minizip.txt); built from
                                   Debian's minizip source package
  libstdc++-6.dll,                 GCC runtime libraries, GPL 3 with the GCC Runtime
  libgcc_s_seh-1.dll               Library Exception (MinGW-GCC-runtime.txt)
  libwinpthread-1.dll              MinGW-w64 winpthreads, MIT-style licence
                                   (MinGW-w64-winpthreads.txt)
EOF

# Portable zip: the folder as it is.
zip_file="$out/lexaran-$version-windows-x64.zip"
rm -f "$zip_file"
(cd "$out" && zip -q -X -r "$zip_file" Lexaran)

# The installer: every file listed by name, so the uninstaller removes
# exactly what was installed.
files="$out/installer-files.nsh"
{
  echo "; Generated by scripts/build-windows.sh: the program folder's files."
  echo "!macro LexaranInstallFiles"
  (cd "$stage" && find . -type f | sed 's|^\./||' | sort) | while IFS= read -r file; do
    dir="$(dirname "$file")"
    [ "$dir" = . ] && dir="" || dir="\\${dir//\//\\}"
    echo "  SetOutPath \"\$INSTDIR$dir\""
    echo "  File \"/oname=\$INSTDIR\\${file//\//\\}\" \"$stage/$file\""
  done
  echo "!macroend"
  echo "!macro LexaranRemoveFiles"
  (cd "$stage" && find . -type f | sed 's|^\./||' | sort) | while IFS= read -r file; do
    echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
  done
  (cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | sort -r) | while IFS= read -r dir; do
    echo "  RMDir \"\$INSTDIR\\${dir//\//\\}\""
  done
  echo "!macroend"
} >"$files"
installer="$out/lexaran-$version-setup.exe"
timeout 600 makensis -V2 -INPUTCHARSET UTF8 \
  "-DVERSION=$version" "-DFILES=$files" "-DOUTFILE=$installer" "-DSTAGE=$stage" \
  "-DLANGDIR=$root/packaging/windows" "-DICON=$root/app/resources/lexaran.ico" \
  packaging/windows/lexaran.nsi >"$out/makensis.log" 2>&1 ||
  { cat "$out/makensis.log" >&2; fail "makensis failed"; }

note "Windows build ready in $((SECONDS - started)) s:"
ls -l "$zip_file" "$installer" | awk '{print "--   " $5 " bytes  " $9}' >&2
