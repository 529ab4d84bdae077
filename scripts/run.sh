#!/usr/bin/env bash
# `make run`: builds THLD.exe and starts it under Wine.
#
# In the project's own Wine prefix (build/wineprefix) the game's registry entry is pointed at a demo
# game folder made afresh in build/demo-game: the real packages of ../shared/corpus where they are
# there, otherwise a synthetic cache from the generator of bench/. With WINEPREFIX set, that prefix
# is used as it is (a player's own game and its registry entry).
#
# The window needs a display: without DISPLAY this says so and fails (for a window nobody would see,
# run Xvfb yourself and set DISPLAY).
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}

if [ -z "${DISPLAY:-}" ]; then
  echo "error: THLD.exe is a window and needs a display, but DISPLAY is not set." >&2
  echo "       Run this from a desktop session, or start one (e.g. Xvfb :99 &) and set DISPLAY=:99." >&2
  exit 1
fi

"$THLD_ROOT/scripts/deps.sh"
mkdir -p build/logs
echo "== building THLD.exe"
cmake --preset windows >build/logs/configure-windows.log 2>&1 || { cat build/logs/configure-windows.log; exit 1; }
cmake --build --preset windows -j "$JOBS" --target THLD

# shellcheck source=wine-env.sh
source "$THLD_ROOT/scripts/wine-env.sh"
thld_wine_init

if [ "$THLD_OWN_PREFIX" = 1 ]; then
  demo="$THLD_ROOT/build/demo-game"
  # shellcheck source=demo-game.sh
  source "$THLD_ROOT/scripts/demo-game.sh"
  thld_demo_game "$demo"
  # The game's installer writes its entry in the 32-bit view of the registry.
  wine reg add 'HKLM\SOFTWARE\Unreal Technology\Installed Apps\UnrealTournament' /v Folder /t REG_SZ \
    /d "Z:${demo//\//\\}" /f /reg:32 >/dev/null
  echo "== starting THLD.exe in the Wine prefix build/wineprefix over $demo"
else
  echo "== starting THLD.exe in the Wine prefix $WINEPREFIX, with its own game entry"
fi
exec wine "$THLD_ROOT/build/windows/src/win32/THLD.exe"
