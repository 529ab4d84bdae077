#!/usr/bin/env bash
# How long `make run-native` takes to show its window on a built tree: runs it RUNS times (3 by
# default) on an Xvfb display of its own, each time from the start of the command to the moment the
# window named "Tallyhold..." is mapped, then ends the window; prints each time and the median.
# The first run builds whatever is not built yet and is not counted.
# Usage: run-native-timing.sh [RUNS]
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
runs=${1:-3}
mkdir -p build/logs

n=70
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >build/logs/timing-xvfb.log 2>&1 &
xvfb=$!
export DISPLAY=":$n"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# One run: seconds to the window, or nothing when it did not show within 600 s.
one_run() {
  local start end id
  start=$(date +%s.%N)
  setsid scripts/run-native.sh >build/logs/timing-run.log 2>&1 &
  local run=$!
  id=""
  for _ in $(seq 6000); do
    id=$(xwininfo -root -tree 2>/dev/null | awk '/"Tallyhold[^"]*"/ && !/has no name/ { print $1; exit }')
    [ -n "$id" ] && break
    kill -0 "$run" 2>/dev/null || break
    sleep 0.1
  done
  end=$(date +%s.%N)
  kill -- -"$run" 2>/dev/null
  wait "$run" 2>/dev/null
  [ -n "$id" ] && awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

echo "== a first run, to build what is not built (not counted)"
one_run >/dev/null
times=()
for i in $(seq "$runs"); do
  t=$(one_run)
  [ -n "$t" ] || { echo "!! run $i: no window (see build/logs/timing-run.log)"; continue; }
  printf 'run %d: %.1f s to the window\n' "$i" "$t"
  times+=("$t")
done
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
[ ${#times[@]} -gt 0 ] || exit 1
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }')
printf 'make run-native to its window: median %.1f s of %d runs (%s)\n' "$median" "${#times[@]}" \
  "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
