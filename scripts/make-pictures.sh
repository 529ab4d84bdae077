#!/usr/bin/env bash
# `make pictures`: remakes the pictures in docs/ that the README shows, both windows over a cache
# of the real packages of ../shared/corpus, taken by the window tests as `make test` runs them:
#   docs/thld-window.png            THLD.exe under Wine (the Windows window tests, on an Xvfb display)
#   docs/tallyhold-window.png       tallyhold-window in the desktop's light colours (Qt's offscreen
#   docs/tallyhold-window-dark.png  platform), and in its dark ones, at 1x over a tidy demo path
# Each is kept small: reduced to a palette of 64 colours.
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}
LOGS="$THLD_ROOT/build/logs"

if [ ! -f ../shared/corpus/manifest.tsv ]; then
  echo "error: the pictures show the real packages of ../shared/corpus, which is not there" >&2
  exit 1
fi
"$THLD_ROOT/scripts/deps.sh"
mkdir -p "$LOGS" docs

echo "== the native window"
cmake --preset native >"$LOGS/configure-native.log" 2>&1 || { cat "$LOGS/configure-native.log"; exit 1; }
cmake --build --preset native -j "$JOBS" --target thld_qt_tests
# Where no desktop theme gives a palette, GTK_THEME=...:dark asks the window for the dark one.
for look in light dark; do
  theme=Adwaita
  picture="$THLD_ROOT/build/qt-main-window.png"
  if [ "$look" = dark ]; then theme=Adwaita:dark; picture="$THLD_ROOT/build/qt-main-window-dark.png"; fi
  env -u QT_SCALE_FACTOR QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= GTK_THEME="$theme" THLD_QT_PICTURE="$picture" \
    build/native/tests/qt/thld_qt_tests --gtest_filter='*APictureOfTheMainWindowIsKept' >"$LOGS/picture-qt.log" 2>&1 ||
    { cat "$LOGS/picture-qt.log"; exit 1; }
done

echo "== THLD.exe under Wine"
cmake --preset windows >"$LOGS/configure-windows.log" 2>&1 || { cat "$LOGS/configure-windows.log"; exit 1; }
cmake --build --preset windows -j "$JOBS" --target thld_ui_tests
# The window tests as make test runs them (ui-tests.sh, with its display), only the one that takes
# the picture.
run_suite() {
  shift 2  # --wine ui
  "$@" --gtest_filter='RealCacheTest.*' >"$LOGS/picture-thld.log" 2>&1 || { cat "$LOGS/picture-thld.log"; exit 1; }
}
# shellcheck source=wine-env.sh
source "$THLD_ROOT/scripts/wine-env.sh"
thld_wine_init
# shellcheck source=ui-tests.sh
source "$THLD_ROOT/scripts/ui-tests.sh"

for picture in thld qt; do
  [ "$picture" = qt ] && [ ! -f build/qt-main-window-dark.png ] && { echo "error: no picture build/qt-main-window-dark.png" >&2; exit 1; }
  [ -f "build/$picture-main-window.png" ] || { echo "error: no picture build/$picture-main-window.png" >&2; exit 1; }
done
convert build/thld-main-window.png -strip -colors 64 PNG8:docs/thld-window.png
convert build/qt-main-window.png -strip -colors 64 PNG8:docs/tallyhold-window.png
convert build/qt-main-window-dark.png -strip -colors 64 PNG8:docs/tallyhold-window-dark.png
ls -l docs/thld-window.png docs/tallyhold-window.png docs/tallyhold-window-dark.png
