#!/usr/bin/env bash
# Builds the Debian package, validates its desktop entry and AppStream file,
# installs it on this machine, starts the installed program in a virtual
# display and checks that it opened the installed sample dictionary and
# left it unchanged. Needs root (or sudo) for dpkg.
# Usage: scripts/package-check.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/default}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

(cd "$build" && cpack -G DEB >/dev/null)
deb="$build/lexaran_1.0.0_amd64.deb"
echo "package: $deb"

desktop-file-validate app/resources/linux/kz.lexaran.Lexaran.desktop
appstreamcli validate --no-net --pedantic app/resources/linux/kz.lexaran.Lexaran.metainfo.xml

"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "./$deb" >/dev/null
dpkg-query -W -f='${Package} ${Version} ${Status}\n' lexaran
for path in /opt/lexaran/lexaran /opt/lexaran/termins.db \
            /usr/share/applications/kz.lexaran.Lexaran.desktop \
            /usr/share/metainfo/kz.lexaran.Lexaran.metainfo.xml; do
  [ -e "$path" ] || { echo "missing after install: $path" >&2; exit 1; }
done
for size in 16 32 48 64 128 256; do
  [ -e "/usr/share/icons/hicolor/${size}x${size}/apps/lexaran.png" ] || { echo "missing icon $size" >&2; exit 1; }
done

# Start the installed program as a user would, from any directory, and look
# at it: its window appears and it holds the installed dictionary open.
shot="$(cd "$build" && pwd)/installed-window.png"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  set -euo pipefail
  cd /
  /usr/bin/env -u QT_QPA_PLATFORM /opt/lexaran/lexaran &
  pid=$!
  trap "kill $pid 2>/dev/null || true" EXIT
  xdotool search --sync --onlyvisible --name "Lexaran - терминдер қоры" >/dev/null
  sleep 1
  kill -0 $pid
  ls -l /proc/$pid/fd | grep -q "/opt/lexaran/termins.db" || { echo "the installed dictionary is not open" >&2; exit 1; }
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "'"$shot"'"
  echo "the installed program shows its window and has /opt/lexaran/termins.db open"
'
echo "screenshot: $shot"
# The dictionary file is exactly as packaged.
dpkg --verify lexaran
echo "installed files verified"
