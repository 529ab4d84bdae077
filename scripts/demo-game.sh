# Sourced by run.sh and run-native.sh: thld_demo_game DEST makes a demo game folder afresh in DEST,
# from the real packages of ../shared/corpus where they are there, otherwise from the synthetic cache
# generator of bench/ (200 packages, built in the release preset).
thld_demo_game() {
  local demo=$1 corpus="$THLD_ROOT/../shared/corpus"
  rm -rf "$demo"
  if [ -x "$corpus/make-game-folder" ]; then
    echo "== demo game folder from the real packages in ../shared/corpus"
    "$corpus/make-game-folder" "$demo"
  else
    echo "== demo game folder from the synthetic cache generator (200 packages)"
    cmake --preset release >build/logs/configure-release.log 2>&1 || { cat build/logs/configure-release.log; return 1; }
    cmake --build --preset release -j "$JOBS" --target thld_make_cache
    build/release/bench/thld_make_cache "$demo" 200
    mkdir -p "$demo/Maps" "$demo/System" "$demo/Textures"
  fi
}
