#!/usr/bin/env bash
# Installs the Debian packages that are missing for a purpose: "run" (build
# and start the dictionary), "windows" (build it for Windows) or "test"
# (everything the test suite, the package check and the Windows build and
# checks use). apt's own output goes to a log that is shown only when
# it fails.
# Usage: scripts/setup.sh run|windows|test|bench
set -euo pipefail
cd "$(dirname "$0")/.."

# To build the program and the sample dictionary, and to run it.
run_packages=(
  cmake
  ninja-build
  g++
  pkg-config
  qt6-base-dev
  qt6-l10n-tools
  libgl-dev
  libxkbcommon-dev
  libsqlite3-0
  libsqlite3-dev
  libminizip-dev
  zlib1g-dev
  fonts-dejavu-core
  fonts-dejavu-extra
)

# Additionally, to run the tests, the sanitizer and fuzz builds and the
# package check.
test_packages=(
  clang
  libclang-rt-14-dev
  xvfb
  xauth
  xdotool
  x11-apps
  netpbm
  x11-utils
  openbox
  dbus
  at-spi2-core
  python3-gi
  gir1.2-atspi-2.0
  desktop-file-utils
  appstream
  dpkg-dev
  lintian
  x11-xkb-utils
  tesseract-ocr
  tesseract-ocr-kaz
  xclip
)

# To build for Windows (scripts/build-windows.sh): the MinGW-w64 compiler,
# Qt's host tools for the Windows Qt, what unpacks Debian source packages
# and generates the engine's single source file, wine to run the importer
# and the tests with the fonts every Windows has, NSIS for the installer,
# zip for the portable folder.
windows_packages=(
  cmake
  ninja-build
  g++
  make
  qt6-base-dev
  qt6-base-dev-tools
  g++-mingw-w64-x86-64-posix
  dpkg-dev
  xz-utils
  tcl
  wine64
  fonts-wine
  nsis
  zip
)

# The importer's benchmark (bench/import-bench.sh): the sqlite3 shell it
# measures itself against.
bench_packages=(
  sqlite3
  python3
)

case "${1:-}" in
  bench)   packages=("${run_packages[@]}" "${bench_packages[@]}") ;;
  run)     packages=("${run_packages[@]}") ;;
  windows) packages=("${windows_packages[@]}") ;;
  test)    packages=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
  *)       echo "usage: scripts/setup.sh run|windows|test|bench" >&2; exit 2 ;;
esac
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | sort -u)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "All ${#packages[@]} needed Debian packages are installed."
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them as root (apt-get install ${missing[*]}) or make sudo available, then run this again." >&2
  exit 1
fi

echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# Every wait is bounded: for another apt holding the lock, for a stalled
# download, and for the whole step.
apt_options=(-o DPkg::Lock::Timeout=600 -o Acquire::http::Timeout=60 -o Acquire::Retries=3 -o Dpkg::Use-Pty=0)
apt_get() {
  local limit="$1"
  shift
  if ! "${as_root[@]}" timeout "$limit" env DEBIAN_FRONTEND=noninteractive apt-get "${apt_options[@]}" "$@" >>"$log" 2>&1; then
    cat "$log" >&2
    echo "apt-get $1 failed or took longer than ${limit}s (output above)." >&2
    exit 1
  fi
}
apt_get 900 update
apt_get 3600 install -y --no-install-recommends "${missing[@]}"
echo "Installed."
