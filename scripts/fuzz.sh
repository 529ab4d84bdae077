#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the fuzz preset) and runs each for FUZZ_SECONDS seconds
# (600 unless set), one after the other. Each target keeps its corpus in build/fuzz/corpus/<target>
# (seeded from tests/fuzz/seeds/<target>), its log in build/fuzz/logs and what it finds in
# build/fuzz/findings/<target>. Extra libFuzzer flags can be given in FUZZ_FLAGS.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
FUZZ_SECONDS=${FUZZ_SECONDS:-600}
JOBS=${JOBS:-2}

"$THLD_ROOT/scripts/deps.sh" clang libclang-rt-14-dev || exit 1

mkdir -p build/fuzz/logs
echo "== building the fuzz preset"
cmake --preset fuzz >build/fuzz/logs/configure.log 2>&1 || { cat build/fuzz/logs/configure.log; exit 1; }
cmake --build --preset fuzz -j "$JOBS" >build/fuzz/logs/build.log 2>&1 || { cat build/fuzz/logs/build.log; exit 1; }

failed=()
for target in reader rewrite journal package description memo launchers; do
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  echo "== fuzzing $target for $FUZZ_SECONDS seconds"
  # shellcheck disable=SC2086
  build/fuzz/tests/fuzz/fuzz_$target -max_total_time="$FUZZ_SECONDS" -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="$findings/" ${FUZZ_FLAGS:-} "$corpus" "tests/fuzz/seeds/$target" \
    >"build/fuzz/logs/$target.log" 2>&1
  rc=$?
  grep -E '^stat::number_of_executed_units|^Done [0-9]+ runs|^==[0-9]+==ERROR|fuzz check failed' \
    "build/fuzz/logs/$target.log" || true
  [ "$rc" = 0 ] || { echo "!! $target found a fault (exit code $rc); see build/fuzz/logs/$target.log"; failed+=("$target"); }
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: faults found by ${failed[*]}"
  exit 1
fi
echo "fuzz: every target ran clean for $FUZZ_SECONDS seconds each"
