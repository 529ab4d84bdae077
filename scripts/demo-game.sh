# Sourced by run.sh, run-native.sh and make-pictures.sh: thld_demo_game DEST makes a demo game
# folder afresh in DEST, from the real packages of ../shared/corpus where they are there, with small
# stand-ins for the game's own packages that they import (stand-in-packages.py), so that its maps
# load offline as in a real installation; otherwise from the synthetic cache generator of bench/
# (200 packages, built in the release preset).
thld_demo_game() {
  local demo=$1 corpus="$THLD_ROOT/../shared/corpus"
  rm -rf "$demo"
  if [ -x "$corpus/make-game-folder" ]; then
    echo "== demo game folder from the real packages in ../shared/corpus"
    "$corpus/make-game-folder" "$demo"
    python3 "$THLD_ROOT/scripts/stand-in-packages.py" "$demo"
  else
    echo "== demo game folder from the synthetic cache generator (200 packages)"
    cmake --preset release >build/logs/configure-release.log 2>&1 || { cat build/logs/configure-release.log; return 1; }
    cmake --build --preset release -j "$JOBS" --target thld_make_cache
    build/release/bench/thld_make_cache "$demo" 200
    mkdir -p "$demo/Maps" "$demo/System" "$demo/Textures"
  fi
}
