#!/usr/bin/env bash
# Builds the Debian package lexaran_<version>_<arch>.deb in build/package:
# the program compiled with the distribution's hardening flags, installed
# into a staging tree under /usr, stripped, with the control file, the
# copyright and the changelog from packaging/deb. Prints the package's path
# as its last line.
# Usage: scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022
export LC_ALL=C.UTF-8

build=build/package
version="$(dpkg-parsechangelog -l packaging/deb/changelog -S Version)"
architecture="$(dpkg --print-architecture)"
deb="$build/lexaran_${version}_${architecture}.deb"

# The flags Debian builds its own packages with, every hardening feature on
# (stack protector, fortified functions, read-only relocations bound at start).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
echo "Building the packaged program with hardening flags: $CPPFLAGS $CXXFLAGS $LDFLAGS"
cmake --preset package --log-level=WARNING >/dev/null
cmake --build --preset package
project_version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
case "$project_version" in
  "$version"|"$version".*) ;;
  *) echo "packaging/deb/changelog is at $version but the project at $project_version" >&2; exit 1 ;;
esac

stage="$build/stage"
rm -rf "$stage" "$deb"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
# What dh_strip does for a program: no symbols, no comment or note sections.
strip --remove-section=.comment --remove-section=.note "$stage/usr/lib/lexaran/lexaran"
gzip -9n "$stage/usr/share/man/man1/lexaran.1"
gzip -9n "$stage/usr/share/man/man1/lexaran-import.1"
strip --remove-section=.comment --remove-section=.note "$stage/usr/bin/lexaran-import"
strip --remove-section=.comment --remove-section=.note "$stage/usr/lib/lexaran/lexaran-builder"
gzip -9n "$stage/usr/share/man/man1/lexaran-builder.1"
install -d "$stage/usr/share/doc/lexaran"
install -m 644 packaging/deb/copyright "$stage/usr/share/doc/lexaran/copyright"
gzip -9n -c packaging/deb/changelog > "$stage/usr/share/doc/lexaran/changelog.gz"
chmod 644 "$stage/usr/share/doc/lexaran/changelog.gz"

# The libraries the program links, as dpkg-shlibdeps finds them; the control
# file adds the ones it loads at run time (the engine, the platform plugins).
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/debian"
printf 'Source: lexaran\n\nPackage: lexaran\nArchitecture: any\n' > "$scratch/debian/control"
program="$(cd "$stage/usr/lib/lexaran" && pwd)/lexaran"
importer="$(cd "$stage/usr/bin" && pwd)/lexaran-import"
depends="$(cd "$scratch" && dpkg-shlibdeps -O -e"$program" -e"$importer" 2>/dev/null | sed -n 's/^shlibs:Depends=//p')"
[ -n "$depends" ] || { echo "dpkg-shlibdeps found no libraries for $program" >&2; exit 1; }

install -d "$stage/DEBIAN"
installed_size="$(du -sk --apparent-size --exclude=DEBIAN "$stage" | cut -f1)"
sed -e "s/@VERSION@/$version/" -e "s/@ARCHITECTURE@/$architecture/" \
    -e "s/@INSTALLED_SIZE@/$installed_size/" -e "s/@DEPENDS@/$depends/" \
    packaging/deb/control > "$stage/DEBIAN/control"
(cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) > "$stage/DEBIAN/md5sums"
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "$deb"
