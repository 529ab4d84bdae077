#!/usr/bin/env bash
# `make run-native`: builds tallyhold-window, the native window, and starts it.
#
# It works on a demo game folder made afresh in build/demo-game-native: the real packages of
# ../shared/corpus where they are there, otherwise a synthetic cache from the generator of bench/.
# The window keeps its settings (the game folder, its size and columns) in build/run-native-config
# rather than in the user's own; with THLD_DEMO=0 it uses the user's own settings, and so the
# user's own game.
#
# The window needs a display (X11 or Wayland): without one this says so and fails (for a window
# nobody sees, set QT_QPA_PLATFORM=offscreen).
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "error: tallyhold-window is a window and needs a display, but neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
  echo "       Run this from a desktop session, or start one (e.g. Xvfb :99 &) and set DISPLAY=:99." >&2
  exit 1
fi

"$THLD_ROOT/scripts/deps.sh"
mkdir -p build/logs
echo "== building tallyhold-window"
cmake --preset release >build/logs/configure-release.log 2>&1 || { cat build/logs/configure-release.log; exit 1; }
cmake --build --preset release -j "$JOBS" --target tallyhold-window

if [ "${THLD_DEMO:-1}" != 0 ]; then
  demo="$THLD_ROOT/build/demo-game-native"
  # shellcheck source=demo-game.sh
  source "$THLD_ROOT/scripts/demo-game.sh"
  thld_demo_game "$demo"
  # The window's own settings file, as it writes it when a folder is picked.
  export XDG_CONFIG_HOME="$THLD_ROOT/build/run-native-config"
  settings="$XDG_CONFIG_HOME/tallyhold/tallyhold.ini"
  mkdir -p "$(dirname "$settings")"
  if [ -f "$settings" ] && grep -q '^Folder=' "$settings"; then
    sed -i "s|^Folder=.*|Folder=$demo|" "$settings"
  else
    printf '[HKEY_LOCAL_MACHINE\\SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament]\nFolder=%s\n' \
      "$demo" >>"$settings"
  fi
  echo "== starting tallyhold-window over $demo (settings in $settings)"
else
  echo "== starting tallyhold-window with your own settings"
fi
exec build/release/src/qt/tallyhold-window
