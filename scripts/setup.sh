#!/usr/bin/env bash
# Installs the Debian packages the dictionary needs to build, run and be
# tested, skipping those already present, then configures and builds it.
# Usage: scripts/setup.sh [preset]   (default: "default")
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config
  clang libclang-rt-14-dev
  qt6-base-dev libgl-dev
  libsqlite3-0 libsqlite3-dev
  fonts-dejavu-core fonts-dejavu-extra
  xvfb xauth xdotool x11-apps netpbm
  x11-utils openbox dbus at-spi2-core python3-gi gir1.2-atspi-2.0
  desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null 2>&1; then
    as_root=(sudo)
  else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Install them as root (apt-get install ${missing[*]}) or make sudo available, then run this again." >&2
    exit 1
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

preset="${1:-default}"
cmake --preset "$preset"
cmake --build --preset "$preset"
