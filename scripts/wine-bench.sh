#!/usr/bin/env bash
# THLD.exe under Wine over a synthetic cache: the time from its start to its first rows and to a
# filled main window, on a first start (no memo of the listing) and on repeat starts
# (thld_start_probe, medians of a few runs), each against the floor below, `tallyhold.exe list` over the same cache for
# comparison, the floor of the listing under Wine (thld_floor_probe: the same files opened and the
# same bytes read by one, four and sixteen threads, with nothing else), and, where strace is there, the system calls and the requests to the Wine server
# (its write and writev calls on the request pipe) per cached file of `tallyhold.exe list`. Nothing is asserted: it prints figures.
#
#   scripts/wine-bench.sh GAMEFOLDER [RUNS] [PROGRAM]
#
# GAMEFOLDER is a game folder with a cache (build/bench-data/<N> of scripts/bench.sh). The windows
# preset must be built (THLD, tallyhold, thld_start_probe). PROGRAM (a Windows path) times another
# build of THLD.exe. Without a display it starts an Xvfb
# display of its own, and stops it afterwards.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
# shellcheck source=wine-env.sh
source "$THLD_ROOT/scripts/wine-env.sh"

folder=$(cd "${1:?usage: scripts/wine-bench.sh GAMEFOLDER [RUNS]}" && pwd)
runs=${2:-5}
program=${3:-}
packages=$(grep -c '=' "$folder/cache/cache.ini" || true)
probe=build/windows/tests/win32/thld_start_probe.exe
floor_probe=build/windows/tests/win32/thld_floor_probe.exe
cli=build/windows/src/cli/tallyhold.exe
for built in "$probe" "$floor_probe" "$cli" build/windows/src/win32/THLD.exe; do
  [ -f "$built" ] || { echo "!! $built is not built (cmake --build --preset windows)"; exit 1; }
done
winfolder="Z:${folder//\//\\}\\"

mkdir -p build/logs
own_xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >build/logs/xvfb-bench.log 2>&1 &
  own_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
stop_xvfb() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$own_xvfb" ]; then kill "$own_xvfb" 2>/dev/null; wait "$own_xvfb" 2>/dev/null; fi
}
trap stop_xvfb EXIT
# The processor time of the Wine server of this prefix (its folder is named after the prefix's
# device and node), in clock ticks; nothing where it can't be found.
server_ticks() {
  local dir pid
  dir="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
  for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
    if [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$dir" ]; then
      awk '{ print $14 + $15 }' "/proc/$pid/stat"
      return
    fi
  done
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Every request to the Wine server wakes it and then the program: where the two run on different
# processors of a virtual machine, each wake-up costs tens of microseconds, and the listing makes
# three requests per cached file. So the figures are taken twice: as the system places the
# processes, and with the program and its server on one processor (taskset), as on a machine whose
# wake-ups cost what they cost on real hardware.
time_starts() {
  local how=$1 pin=()
  [ "$how" = "on one processor" ] && pin=(taskset -c 0)
  # Wine's processes started without this display would serve the windows badly: start afresh,
  # with one Wine server for every run, so that none pays for starting it (nor is counted by strace).
  wineserver -k >/dev/null 2>&1 || true
  thld_wine_init
  wineserver -k >/dev/null 2>&1 || true
  "${pin[@]}" wineserver -p
  echo "== THLD.exe under Wine, $packages packages, $how ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs))"
  # Wall times depend on what else the machine runs; the Wine server's processor time much less.
  local before after times=() start out
  # A first start (the memo of the listing deleted before each), then repeat starts (the memo there).
  out=build/logs/wine-bench-starts.log
  "${pin[@]}" wine "$probe" "$winfolder" "$runs" ${program:+"$program"} first | tee "$out"
  before=$(server_ticks)
  "${pin[@]}" wine "$probe" "$winfolder" "$runs" ${program:+"$program"} | tee -a "$out"
  after=$(server_ticks)
  if [ -n "$before" ] && [ -n "$after" ]; then
    echo "the Wine server's processor time per repeat start: $(( (after - before) * 1000 / $(getconf CLK_TCK) / runs )) ms"
  fi
  # The list, written where it costs nothing; the Wine server is running already, as for the window.
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "${pin[@]}" wine "$cli" list --game "$winfolder" >/dev/null 2>&1
    times+=($((($(date +%s%N) - start) / 1000000)))
  done
  echo "tallyhold.exe list under Wine, $how: ${times[*]} ms; median $(printf '%s\n' "${times[@]}" | median) ms," \
    "fastest $(printf '%s\n' "${times[@]}" | sort -n | head -1) ms"
  # The floor of the listing: the same files opened and the same bytes read, with nothing else
  # (the layout thld_make_cache writes says which bytes).
  if [ -f "$folder/layout.tsv" ]; then
    echo "the floor under Wine, $how (thld_floor_probe: every file opened, read and closed, no search):"
    "${pin[@]}" wine "$floor_probe" "$winfolder" "$runs" | tee -a "$out"
    # Each start against the lowest floor of the run (the best number of readers).
    awk '/start to filled window: median/ { for (i = 1; i <= NF; ++i) if ($i == "median") t[$2] = $(i + 1) }
         /^floor,/ { for (i = 1; i <= NF; ++i) if ($i == "median") { f = $(i + 1); if (!floor || f < floor) floor = f } }
         END { if (floor) printf "THLD.exe against the floor of %d ms: first start %.2fx (goal at most 1.3x), repeat start %.2fx (goal at most 0.5x)\n",
                 floor, t["first"] / floor, t["repeat"] / floor }' "$out"
  fi
}
time_starts "as the system places them"
if command -v taskset >/dev/null; then
  time_starts "on one processor"
fi

if command -v strace >/dev/null; then
  # The program's start, counted alone (tallyhold.exe --version), is taken off.
  log=build/logs/wine-bench-strace
  timeout 300 strace -c -f -o "$log-start.log" wine "$cli" --version >/dev/null 2>&1
  timeout 300 strace -c -f -o "$log-nomemo.log" wine "$cli" list --no-memo --game "$winfolder" >/dev/null 2>&1
  wine "$cli" list --game "$winfolder" >/dev/null 2>&1  # the memo there for the repeat start
  timeout 300 strace -c -f -o "$log-list.log" wine "$cli" list --game "$winfolder" >/dev/null 2>&1
  # strace -c: the calls are the fourth column (the errors column may be empty), the name the last.
  counts() { awk '$4 ~ /^[0-9]+$/ { print $NF, $4 }' "$1"; }
  for run in nomemo list; do
    join -a 1 -e 0 -o 0,1.2,2.2 <(counts "$log-$run.log" | sort) <(counts "$log-start.log" | sort) |
      awk -v n="$packages" -v how="$run" '
        { per[$1] = ($2 - $3) / n }
        END {
          printf "tallyhold.exe list%s, per cached file: %.1f system calls, %.2f Wine server requests (write, writev)\n",
            how == "nomemo" ? " --no-memo (every file read)" : " (a repeat start, from the memo)",
            per["total"], per["write"] + per["writev"]
        }'
  done
  echo "  the most frequent, per cached file: $(join -a 1 -e 0 -o 0,1.2,2.2 <(counts "$log-list.log" | sort) \
    <(counts "$log-start.log" | sort) | awk -v n="$packages" '$1 != "total" { printf "%.2f %s\n", ($2 - $3) / n, $1 }' |
    sort -rn | head -8 | awk '{ printf "%s %s, ", $2, $1 }')"
else
  echo "(no strace: the counts per cached file are left out)"
fi
