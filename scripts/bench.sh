#!/usr/bin/env bash
# Builds the release preset with the benchmarks, writes the synthetic caches under
# build/bench-data/<N> (once per size and seed), and runs the requirements benchmark on them, the
# cold listing on the largest (as root), tallyhold delete against rm on 1,000 and 10,000 packages,
# the game search on fake homes, tallyhold list on a large cache, the native window's benchmark (on
# the largest and on the large cache), and, where Wine and mingw-w64 are there, THLD.exe's start
# under Wine (scripts/wine-bench.sh).
# Settings: BENCH_SIZES (default 100,1000,5000,10000), BENCH_LARGE (the large cache, default
# 100000; 0 leaves it out), BENCH_SEED (default 1999), BENCH_REFERENCE_BUDGET (seconds the literal
# procedure may run in full, default 180).
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}
SIZES=${BENCH_SIZES:-100,1000,5000,10000}
SEED=${BENCH_SEED:-1999}
BUDGET=${BENCH_REFERENCE_BUDGET:-180}
LARGE=${BENCH_LARGE:-100000}

"$THLD_ROOT/scripts/deps.sh" || exit 1

mkdir -p build/logs build/bench-data
echo "== building the release preset"
cmake --preset release >build/logs/configure-release.log 2>&1 || { cat build/logs/configure-release.log; exit 1; }
cmake --build --preset release -j "$JOBS" >build/logs/build-release.log 2>&1 || { cat build/logs/build-release.log; exit 1; }

generator=build/release/bench/thld_make_cache
make_cache() {
  local n=$1 folder=build/bench-data/$1
  local stamp=$folder/stamp
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "seed $SEED" ] && [ "$stamp" -nt "$generator" ]; then
    echo "== synthetic cache of $n packages: already there"
  else
    "$generator" "$folder" "$n" "$SEED"
    echo "seed $SEED" >"$stamp"
  fi
}
IFS=, read -r -a sizes <<<"$SIZES"
for n in "${sizes[@]}"; do
  make_cache "$n"
done
# A cache just written is still being written out: the disk's work would fall on the figures.
sync

echo "== running the requirements benchmark (the literal procedure takes a few minutes)"
build/release/bench/thld_requirements_bench build/bench-data --sizes="$SIZES" --reference-budget="$BUDGET" 2>&1 |
  tee build/logs/bench.log

echo "== the game search (tallyhold where) on fake homes"
build/release/bench/thld_where_bench 2>&1 | tee -a build/logs/bench.log

largest=$(printf '%s\n' "${sizes[@]}" | sort -n | tail -1)
# Cold files: as root the page cache is dropped before each run (it says so and skips otherwise).
echo "== the listing on cold files, $largest packages"
build/release/bench/thld_cold_bench build/bench-data "$largest" 2>&1 | tee -a build/logs/bench.log

# Bulk delete against rm: the sizes of 1,000 and 10,000 where they are among the synthetic caches.
delete_sizes=$(printf '%s\n' "${sizes[@]}" | grep -xE '1000|10000' | paste -sd, -)
if [ -n "$delete_sizes" ]; then
  echo "== tallyhold delete against rm on the caches of $delete_sizes packages"
  build/release/bench/thld_delete_bench build/release/src/cli/tallyhold build/bench-data build/bench-scratch \
    --sizes="$delete_sizes" 2>&1 | tee -a build/logs/bench.log
fi

echo "== tallyhold list and check on the cache of $largest packages"
build/release/bench/thld_list_bench build/release/src/cli/tallyhold "build/bench-data/$largest" 2>&1 |
  tee -a build/logs/bench.log
if [ "$LARGE" -gt 0 ]; then
  make_cache "$LARGE"
  sync
  echo "== tallyhold list and check on the cache of $LARGE packages"
  build/release/bench/thld_list_bench build/release/src/cli/tallyhold "build/bench-data/$LARGE" 3 2>&1 |
    tee -a build/logs/bench.log
fi

if [ -x build/release/bench/thld_window_bench ]; then
  # A runtime folder of its own, and none of the offscreen platform's chatter about window hints.
  mkdir -p build/bench-runtime && chmod 700 build/bench-runtime
  window_bench() {
    echo "== the native window on the cache of $1 packages"
    XDG_RUNTIME_DIR="$THLD_ROOT/build/bench-runtime" QT_LOGGING_RULES="qt.qpa.*=false" \
      build/release/bench/thld_window_bench "build/bench-data/$1" "${@:2}" 2>&1 | grep -v "propagateSizeHints" |
      tee -a build/logs/bench.log
  }
  window_bench "$largest"
  # The large cache, with fewer runs: each start lists it afresh.
  if [ "$LARGE" -gt 0 ] && [ "$largest" != "$LARGE" ]; then
    window_bench "$LARGE" --runs=3
  fi
fi

if command -v wine >/dev/null && command -v x86_64-w64-mingw32-g++ >/dev/null; then
  echo "== THLD.exe under Wine on the cache of $largest packages"
  if cmake --preset windows >build/logs/configure-windows.log 2>&1 &&
    cmake --build --preset windows -j "$JOBS" --target THLD tallyhold thld_start_probe thld_floor_probe >build/logs/build-windows.log 2>&1; then
    scripts/wine-bench.sh "build/bench-data/$largest" 2>&1 | tee -a build/logs/bench.log ||
      echo "!! THLD.exe under Wine could not be timed (see above)"
  else
    echo "!! the windows preset did not build; see build/logs/build-windows.log"
  fi
fi
