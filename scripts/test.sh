#!/usr/bin/env bash
# Builds both targets and runs every test: natively (with AddressSanitizer and UBSan, and again
# with ThreadSanitizer) and, for Windows, under Wine; the window tests under Wine with an Xvfb display of their own when there is
# none. Ends with one summary line and a non-zero exit code when anything failed.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}

"$THLD_ROOT/scripts/deps.sh" || exit 1

total_pass=0 total_fail=0 total_skip=0 broken=()
summary_lines=()

# Runs one GoogleTest program and adds its counts to the totals.
run_suite() {
  local name=$1; shift
  local log="$THLD_ROOT/build/logs/$name.log"
  mkdir -p "$THLD_ROOT/build/logs"
  echo "== running $name: $*"
  "$@" 2>&1 | tee "$log" | grep -E '^\[  (FAILED|SKIPPED) |^\[==========\]|^\[  PASSED' || true
  local rc=${PIPESTATUS[0]}
  local ran pass fail skip
  ran=$(grep -Eo '^\[==========\] [0-9]+ tests? from' "$log" | tail -n1 | grep -Eo '[0-9]+' | head -n1)
  pass=$(grep -Eo '^\[  PASSED  \] [0-9]+' "$log" | tail -n1 | grep -Eo '[0-9]+$')
  skip=$(grep -Eo '^\[  SKIPPED \] [0-9]+ tests?,' "$log" | tail -n1 | grep -Eo '[0-9]+')
  fail=$(grep -Eo '^\[  FAILED  \] [0-9]+ tests?,' "$log" | tail -n1 | grep -Eo '[0-9]+')
  pass=${pass:-0} skip=${skip:-0} fail=${fail:-0}
  if [ -z "$ran" ] || { [ "$rc" != 0 ] && [ "$fail" = 0 ]; }; then
    echo "!! $name ended abnormally (exit code $rc); see $log"
    broken+=("$name")
    fail=$((fail + 1))
  fi
  total_pass=$((total_pass + pass)); total_fail=$((total_fail + fail)); total_skip=$((total_skip + skip))
  summary_lines+=("$(printf '%-22s %4d passed, %d failed, %d skipped' "$name:" "$pass" "$fail" "$skip")")
}

build() {
  local preset=$1
  echo "== building the $preset preset"
  cmake --preset "$preset" >"$THLD_ROOT/build/logs/configure-$preset.log" 2>&1 ||
    { cat "$THLD_ROOT/build/logs/configure-$preset.log"; return 1; }
  cmake --build --preset "$preset" -j "$JOBS" 2>&1 | grep -Ev "^\[ *[0-9]+%\] (Building|Linking|Built)|^g?make\[[0-9]+\]: (Entering|Leaving)" || true
  return "${PIPESTATUS[0]}"
}

mkdir -p build/logs
build_failed=0
if build native; then
  run_suite native build/native/tests/thld_tests
else
  echo "!! the native build failed"; build_failed=1
fi

# The listing's reader thread and its search, watched for data races.
if build tsan; then
  TSAN_OPTIONS="halt_on_error=1 exitcode=66" run_suite tsan build/tsan/tests/thld_tests
else
  echo "!! the ThreadSanitizer build failed"; build_failed=1
fi

if build windows; then
  # shellcheck source=wine-env.sh
  source "$THLD_ROOT/scripts/wine-env.sh"
  thld_wine_init
  run_suite wine wine build/windows/tests/thld_tests.exe
  if [ -x "$THLD_ROOT/scripts/ui-tests.sh" ] && [ -f build/windows/tests/app/thld_ui_tests.exe ]; then
    source "$THLD_ROOT/scripts/ui-tests.sh"
  fi
  wineserver -k >/dev/null 2>&1 || true
else
  echo "!! the Windows build failed"; build_failed=1
fi

echo
echo "== summary"
for line in "${summary_lines[@]}"; do echo "   $line"; done
[ "$build_failed" = 1 ] && { echo "   a build failed"; total_fail=$((total_fail + 1)); }
[ ${#broken[@]} -gt 0 ] && echo "   ended abnormally: ${broken[*]}"
echo "tests: $total_pass passed, $total_fail failed, $total_skip skipped"
[ "$total_fail" = 0 ]
