#!/usr/bin/env bash
# A picture of the Windows installer's first page, as a player sees it: the installer of
# build/packages started under Wine on an Xvfb display of its own, the screen taken once its window
# shows, cut to the window, in build/installer-welcome.png. Nothing is installed: the installer is
# ended on its first page. Run after `scripts/dist.sh windows`.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
# shellcheck source=wine-env.sh
source "$THLD_ROOT/scripts/wine-env.sh"
installer=$(ls build/packages/tallyhold-*-windows-x64.exe 2>/dev/null | tail -1)
[ -n "$installer" ] || { echo "error: no installer in build/packages; run scripts/dist.sh windows" >&2; exit 1; }

n=80
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >build/logs/installer-xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
thld_wine_init

wine "$installer" >/dev/null 2>&1 &
setup=$!
picture="$THLD_ROOT/build/installer-welcome.png"
rm -f "$picture"
# The window is there once the root holds a window named like the installer.
for _ in $(seq 60); do
  id=$(xwininfo -root -tree 2>/dev/null | awk '/"Tallyhold [0-9.]* Setup"/ { print $1; exit }')
  [ -n "$id" ] && break
  sleep 0.5
done
status=1
if [ -n "$id" ]; then
  sleep 1  # its pictures drawn
  xwd -id "$id" -silent >build/installer-welcome.xwd && convert build/installer-welcome.xwd "$picture" &&
    rm -f build/installer-welcome.xwd && echo "== picture of the installer's first page: build/installer-welcome.png" &&
    status=0
else
  echo "!! the installer's window did not show"
fi
kill "$setup" 2>/dev/null
wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null
wait 2>/dev/null
exit $status
