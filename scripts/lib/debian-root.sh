# A throwaway Debian 12 root to install packages into: a minimal root made
# once with debootstrap and kept in a cache ($LEXARAN_DEBIAN_ROOT, default
# /var/cache/lexaran-debian-root), copied for each use so that the cache
# itself never has a package of ours installed in it.
# shellcheck shell=bash

debian_root_cache="${LEXARAN_DEBIAN_ROOT:-/var/cache/lexaran-debian-root}"

# debian_root_prepare PACKAGE...: makes the cached root when there is none
# and installs into it those of the named Debian packages it lacks. Prints
# progress on standard error; returns non-zero with a message on failure.
debian_root_prepare() {
  local base="$debian_root_cache/bookworm-minbase" missing=() package status=0
  mkdir -p "$debian_root_cache"
  (
    flock -w 1800 9 || { echo "waited 30 minutes for another user of $debian_root_cache" >&2; exit 1; }
    if [ ! -f "$base/.ready" ]; then
      echo "-- Making a minimal Debian 12 root in $base once (debootstrap; a few minutes)" >&2
      rm -rf "$base.new"
      if ! timeout 1800 debootstrap --variant=minbase bookworm "$base.new" http://deb.debian.org/debian \
        >"$debian_root_cache/debootstrap.log" 2>&1; then
        # debootstrap mounts /proc and /sys in the root it makes; whatever a
        # failed run left mounted is unmounted before the root is removed.
        for point in "$base.new/proc" "$base.new/sys"; do
          mountpoint -q "$point" && timeout 30 umount -l "$point"
        done
        rm -rf "$base.new"
        echo "debootstrap failed or took longer than 30 minutes (see $debian_root_cache/debootstrap.log)" >&2
        exit 1
      fi
      touch "$base.new/.ready"
      mv "$base.new" "$base"
    fi
    for package in "$@"; do
      chroot "$base" dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && exit 0
    echo "-- Installing into the cached root: ${missing[*]}" >&2
    cp -L /etc/resolv.conf "$base/etc/resolv.conf"
    {
      timeout 900 chroot "$base" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
        apt-get -o Acquire::http::Timeout=60 -o Acquire::Retries=3 update &&
        timeout 1800 chroot "$base" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
          apt-get -o Acquire::http::Timeout=60 -o Acquire::Retries=3 install -y --no-install-recommends "${missing[@]}" &&
        chroot "$base" apt-get clean
    } >"$debian_root_cache/apt.log" 2>&1 || status=$?
    rm -f "$base/etc/resolv.conf"
    [ "$status" -eq 0 ] ||
      { echo "installing ${missing[*]} into $base failed or took too long (see $debian_root_cache/apt.log)" >&2; exit 1; }
  ) 9>"$debian_root_cache/.lock"
}

# debian_root_copy DIRECTORY: a fresh copy of the cached root at DIRECTORY.
debian_root_copy() {
  rm -rf "$1"
  cp -a "$debian_root_cache/bookworm-minbase" "$1"
}
