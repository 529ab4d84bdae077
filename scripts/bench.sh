#!/usr/bin/env bash
# Builds the release preset with the benchmarks, writes the synthetic caches under
# build/bench-data/<N> (once per size and seed), and runs the requirements benchmark on them, the
# cold listing on the largest (as root) and the native window's benchmark (on the largest, and on
# build/bench-data/100000 where it was made).
# Settings: BENCH_SIZES (default 100,1000,5000,10000), BENCH_SEED (default 1999),
# BENCH_REFERENCE_BUDGET (seconds the literal procedure may run in full, default 180).
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}
SIZES=${BENCH_SIZES:-100,1000,5000,10000}
SEED=${BENCH_SEED:-1999}
BUDGET=${BENCH_REFERENCE_BUDGET:-180}

"$THLD_ROOT/scripts/deps.sh" || exit 1

mkdir -p build/logs build/bench-data
echo "== building the release preset"
cmake --preset release >build/logs/configure-release.log 2>&1 || { cat build/logs/configure-release.log; exit 1; }
cmake --build --preset release -j "$JOBS" >build/logs/build-release.log 2>&1 || { cat build/logs/build-release.log; exit 1; }

generator=build/release/bench/thld_make_cache
IFS=, read -r -a sizes <<<"$SIZES"
for n in "${sizes[@]}"; do
  folder=build/bench-data/$n
  stamp=$folder/stamp
  if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "seed $SEED" ] && [ "$stamp" -nt "$generator" ]; then
    echo "== synthetic cache of $n packages: already there"
  else
    "$generator" "$folder" "$n" "$SEED"
    echo "seed $SEED" >"$stamp"
  fi
done

echo "== running the requirements benchmark (the literal procedure takes a few minutes)"
build/release/bench/thld_requirements_bench build/bench-data --sizes="$SIZES" --reference-budget="$BUDGET" 2>&1 |
  tee build/logs/bench.log

largest=$(printf '%s\n' "${sizes[@]}" | sort -n | tail -1)
# Cold files: as root the page cache is dropped before each run (it says so and skips otherwise).
echo "== the listing on cold files, $largest packages"
build/release/bench/thld_cold_bench build/bench-data "$largest" 2>&1 | tee -a build/logs/bench.log

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
  # A cache of 100,000 packages where one was made (thld_make_cache build/bench-data/100000 100000),
  # with fewer runs: each start lists it afresh.
  if [ "$largest" != 100000 ] && [ -f build/bench-data/100000/cache/cache.ini ]; then
    window_bench 100000 --runs=3
  fi
fi
