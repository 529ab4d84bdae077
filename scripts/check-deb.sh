#!/usr/bin/env bash
# Installs the .deb of `make dist` on a clean Debian 12 in a debootstrap chroot, with apt as a user
# would, and starts both programs there: tallyhold-window on an Xvfb display of the chroot's own,
# over a game folder of the real packages, leaving a picture in build/deb-check-window.png; and
# tallyhold, where the package holds it. Not part of `make test`: it needs root and the network.
# Usage: check-deb.sh [CHROOT_FOLDER]   (default /tmp/thld-bookworm; made when missing)
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
root=${1:-/tmp/thld-bookworm}
deb=$(ls build/packages/tallyhold_*.deb 2>/dev/null | tail -1)
[ -n "$deb" ] || { echo "error: no build/packages/tallyhold_*.deb; run make dist first" >&2; exit 1; }

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== a clean Debian 12 (bookworm, minbase) in $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian >build/logs/debootstrap.log 2>&1 ||
    { tail build/logs/debootstrap.log; exit 1; }
fi
mkdir -p build/logs
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
in_root() { chroot "$root" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

echo "== apt install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get update -q >/dev/null
in_root sh -c 'dpkg -s tallyhold >/dev/null 2>&1 && apt-get purge -y -q tallyhold >/dev/null' || true
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$deb")" \
  >build/logs/deb-install.log
# How much the package pulls onto a minimal system.
grep -E '^[0-9]+ upgraded, [0-9]+ newly installed' build/logs/deb-install.log
grep -E '^(Need to get|After this operation)' build/logs/deb-install.log
in_root dpkg -L tallyhold | grep -E 'bin/|\.desktop|hicolor/48|man1/|completions/'

echo "== tallyhold-window --version"
in_root tallyhold-window --version
if in_root sh -c 'command -v tallyhold' >/dev/null; then
  echo "== tallyhold --version"
  in_root tallyhold --version
fi

corpus="$THLD_ROOT/../shared/corpus"
if [ ! -x "$corpus/make-game-folder" ]; then
  echo "== no ../shared/corpus here: the window is not started over real packages"
  exit 0
fi
echo "== tallyhold-window over a game folder of real packages, on Xvfb in the chroot"
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb x11-apps' >/dev/null
rm -rf "$root/root/game" && "$corpus/make-game-folder" "$root/root/game" >/dev/null
mkdir -p "$root/root/.config/tallyhold"
printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament]\nFolder=/root/game\n' \
  >"$root/root/.config/tallyhold/tallyhold.ini"
in_root sh -c 'Xvfb :7 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!; sleep 1
  DISPLAY=:7 tallyhold-window & window=$!; sleep 4
  if kill -0 $window; then echo "tallyhold-window is running"; else echo "tallyhold-window ended"; fi
  DISPLAY=:7 xwd -root -silent >/tmp/window.xwd
  kill $window $xvfb; wait $window 2>/dev/null; true'
convert "$root/tmp/window.xwd" -crop 1024x768+0+0 build/deb-check-window.png && echo "== picture: build/deb-check-window.png"
