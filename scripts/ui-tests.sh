#!/usr/bin/env bash
# The window tests of THLD.exe under Wine, sourced by test.sh inside its Wine environment (it
# defines run_suite). Without a display it starts an Xvfb display of its own for them and stops it
# afterwards. The run also leaves a picture of the main window over a real cache in
# build/thld-main-window.png for people to look at.

thld_ui_tests() {
  local own_xvfb="" display_before="${DISPLAY:-}"
  if [ -z "${DISPLAY:-}" ]; then
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo "== no display: starting Xvfb :$n for the window tests"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$THLD_ROOT/build/logs/xvfb.log" 2>&1 &
    own_xvfb=$!
    export DISPLAY=":$n"
    local tries=0
    until xdpyinfo >/dev/null 2>&1; do
      tries=$((tries + 1))
      if [ "$tries" -gt 50 ] || ! kill -0 "$own_xvfb" 2>/dev/null; then
        echo "!! Xvfb did not start; see build/logs/xvfb.log"
        break
      fi
      sleep 0.1
    done
  fi
  # Wine's processes started without a display would serve the window tests badly: start afresh.
  wineserver -k >/dev/null 2>&1 || true

  local picture="$THLD_ROOT/build/thld-main-window"
  rm -f "$picture.bmp" "$picture.png"
  THLD_SCREENSHOT="Z:${picture//\//\\}.bmp" run_suite --wine ui wine build/windows/tests/win32/thld_ui_tests.exe
  if [ -f "$picture.bmp" ]; then
    convert "$picture.bmp" "$picture.png" && rm -f "$picture.bmp"
    echo "== picture of the main window: build/thld-main-window.png"
  else
    echo "== no picture of the main window was taken (the real packages in ../shared/corpus are needed)"
  fi

  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$own_xvfb" ]; then
    kill "$own_xvfb" 2>/dev/null
    wait "$own_xvfb" 2>/dev/null
    if [ -n "$display_before" ]; then export DISPLAY="$display_before"; else unset DISPLAY; fi
  fi
}

thld_ui_tests
