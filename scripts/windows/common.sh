# Shared by the Windows build steps: the cache, messages, and Debian source
# packages fetched through a private apt configuration, so the machine's own
# sources, lists and caches are left as they were.
# shellcheck shell=bash

cache="${LEXARAN_WINDOWS_CACHE:-/var/cache/lexaran-windows}"

note() { echo "-- $*" >&2; }
fail() {
  echo "build-windows: $*" >&2
  exit 1
}

# The archive the machine already uses, as source lines of a private list.
private_apt_options() {
  local apt="$cache/apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  if [ ! -s "$apt/sources.list" ]; then
    local keyring=/usr/share/keyrings/debian-archive-keyring.gpg
    {
      echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main"
      echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm-updates main"
      echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian-security bookworm-security main"
    } >"$apt/sources.list"
  fi
  apt_private=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=-
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
    -o Acquire::http::Timeout=60 -o Acquire::Retries=3)
}

# Downloads the source package $1 (the version in bookworm) into
# $cache/src, once.
fetch_source() {
  local package="$1"
  mkdir -p "$cache/src"
  if compgen -G "$cache/src/${package}_*.dsc" >/dev/null; then
    return
  fi
  private_apt_options
  note "Fetching Debian's source of $package"
  timeout 600 apt-get "${apt_private[@]}" update >"$cache/apt/update.log" 2>&1 ||
    fail "apt-get update of the private source list failed or took longer than 10 minutes (see $cache/apt/update.log)"
  (cd "$cache/src" && timeout 1200 apt-get "${apt_private[@]}" source --download-only "$package") \
    >"$cache/apt/source-$package.log" 2>&1 ||
    fail "apt-get source $package failed or took longer than 20 minutes (see $cache/apt/source-$package.log)"
}

# The folder of the MinGW-w64 C++ runtime DLLs (libstdc++-6.dll,
# libgcc_s_seh-1.dll) of the compiler the toolchain file names, asked of
# the compiler itself, so no GCC version is written here.
mingw_runtime_dir() {
  local dll
  dll="$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)"
  [ -f "$dll" ] || fail "the MinGW-w64 C++ runtime is missing (Debian package g++-mingw-w64-x86-64-posix)"
  dirname "$(readlink -f "$dll")"
}

# The folder of libwinpthread-1.dll, the MinGW-w64 threads runtime.
mingw_threads_dir() {
  local dll
  dll="$(x86_64-w64-mingw32-g++-posix -print-file-name=libwinpthread-1.dll)"
  [ -f "$dll" ] || fail "the MinGW-w64 threads runtime is missing (Debian package mingw-w64-x86-64-dev)"
  dirname "$(readlink -f "$dll")"
}

# Makes the wine prefix $WINEPREFIX (wineboot's output in $1) with the faces
# every Windows has in its Fonts folder (Tahoma, the system's dialog and
# status-bar face, among them): wine's own, from fonts-wine. Without them
# Qt's default faces fall back to a serif face.
make_wine_prefix() {
  local log="$1"
  mkdir -p "$WINEPREFIX"
  timeout 300 /usr/lib/wine/wine64 wineboot --init >"$log" 2>&1 ||
    fail "making the wine prefix $WINEPREFIX failed or took longer than 300 s (see $log)"
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" ||
    fail "wine's fonts are missing (Debian package fonts-wine)"
}
