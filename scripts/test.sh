#!/usr/bin/env bash
# Builds both targets and runs every test: the include check, then the native tests (with
# AddressSanitizer and UBSan, and again with ThreadSanitizer), the native window's tests on Qt's
# offscreen platform (again under ThreadSanitizer) (leaving build/qt-main-window.png), the manual
# pages and completions against --help, the desktop entry, the .deb through lintian and its
# AppStream metainfo and, for Windows, the tests under Wine and the installer's round trip;
# the window tests under Wine with an Xvfb display of their own when there is none. Each GoogleTest
# program writes a JSON report, from which the counts are taken. Ends with one summary line and a
# non-zero exit code when anything failed.
set -uo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}

"$THLD_ROOT/scripts/deps.sh" || exit 1

total_pass=0 total_fail=0 total_skip=0 broken=()
summary_lines=()
LOGS="$THLD_ROOT/build/logs"

count() {
  local name=$1 pass=$2 fail=$3 skip=$4
  total_pass=$((total_pass + pass)); total_fail=$((total_fail + fail)); total_skip=$((total_skip + skip))
  summary_lines+=("$(printf '%-22s %4d passed, %d failed, %d skipped' "$name:" "$pass" "$fail" "$skip")")
}

# Runs one GoogleTest program with a JSON report and adds its counts to the totals. A program run
# under Wine names the report by its Windows path (`--wine`).
run_suite() {
  local wine=0
  [ "$1" = --wine ] && { wine=1; shift; }
  local name=$1; shift
  local log="$LOGS/$name.log" report="$LOGS/$name.json" shown
  rm -f "$report"
  shown=$report
  [ "$wine" = 1 ] && shown="Z:${report//\//\\}"
  echo "== running $name: $*"
  "$@" "--gtest_output=json:$shown" 2>&1 | tee "$log" | grep -E '^\[  (FAILED|SKIPPED) |^\[==========\]|^\[  PASSED' || true
  local rc=${PIPESTATUS[0]} counts pass fail skip
  if counts=$(python3 "$THLD_ROOT/scripts/gtest-counts.py" "$report"); then
    read -r pass fail skip <<<"$counts"
  else
    pass=0 fail=0 skip=0
  fi
  if [ -z "${counts:-}" ] || { [ "$rc" != 0 ] && [ "$fail" = 0 ]; }; then
    echo "!! $name ended abnormally (exit code $rc); see $log"
    broken+=("$name")
    fail=$((fail + 1))
  fi
  count "$name" "$pass" "$fail" "$skip"
}

# Runs one check that is not a GoogleTest program (lintian, a validator, a script) as a counted step
# of its own, its output kept in the logs and shown when it fails.
check_step() {
  local name=$1; shift
  local log="$LOGS/$name.log"
  echo "== checking $name: $*"
  if "$@" >"$log" 2>&1; then
    count "$name" 1 0 0
  else
    tail -20 "$log"
    echo "!! $name failed; see $log"
    count "$name" 0 1 0
  fi
}

# Builds a preset: every target, or only those named after it.
build() {
  local preset=$1; shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  echo "== building the $preset preset"
  cmake --preset "$preset" >"$LOGS/configure-$preset.log" 2>&1 ||
    { cat "$LOGS/configure-$preset.log"; return 1; }
  cmake --build --preset "$preset" -j "$JOBS" "${targets[@]}" 2>&1 | grep -Ev "^\[ *[0-9]+%\] (Building|Linking|Built)|^g?make\[[0-9]+\]: (Entering|Leaving)" || true
  return "${PIPESTATUS[0]}"
}

mkdir -p "$LOGS"
echo "== checking that includes run down the layers"
if python3 scripts/check-layers.py | tee "$LOGS/layers.log"; then count layers 1 0 0; else count layers 0 1 0; fi

echo "== checking the layout of the sources against .clang-format"
if scripts/check-format.sh >"$LOGS/format.log" 2>&1; then count format 1 0 0; else cat "$LOGS/format.log"; count format 0 1 0; fi

build_failed=0
if build native; then
  run_suite native build/native/tests/thld_tests
  # tallyhold as a user runs it, on game folders of the tests' own.
  run_suite cli build/native/tests/cli/thld_cli_tests
  if [ -x build/native/tests/qt/thld_qt_tests ]; then
    rm -f build/qt-main-window.png
    QT_QPA_PLATFORM=offscreen THLD_QT_PICTURE="$THLD_ROOT/build/qt-main-window.png" \
      run_suite qt build/native/tests/qt/thld_qt_tests
    [ -f build/qt-main-window.png ] && echo "== picture of the native window: build/qt-main-window.png"
  else
    echo "!! the native window's tests were not built (is qt6-base-dev installed?)"; count qt 0 1 0
  fi
  # The manual pages and completions against the programs' --help; the desktop entry.
  check_step docs python3 scripts/check-cli-docs.py build/native/src/cli/tallyhold build/native/src/qt/tallyhold-window
  check_step desktop-entry desktop-file-validate src/qt/res/tallyhold.desktop
else
  echo "!! the native build failed"; build_failed=1
fi

# The .deb as a distribution checks it (a release build with Debian's flags, in build/dist), and its
# AppStream metainfo.
if scripts/dist.sh deb >"$LOGS/dist-deb.log" 2>&1; then
  check_step lintian lintian -E --pedantic --fail-on error,warning \
    build/packages/tallyhold_*.deb
  check_step appstream sh -c 'appstreamcli validate --no-net --pedantic build/dist/packaged/*.metainfo.xml'
else
  tail -20 "$LOGS/dist-deb.log"; echo "!! the .deb could not be made; see $LOGS/dist-deb.log"; count deb 0 1 0
fi

# The listing's reader thread and its search, and the native window's work off its thread, watched
# for data races (in the window's tests, with Qt's own uninstrumented code suppressed).
if build tsan thld_tests thld_qt_tests; then
  TSAN_OPTIONS="halt_on_error=1 exitcode=66" run_suite tsan build/tsan/tests/thld_tests
  if [ -x build/tsan/tests/qt/thld_qt_tests ]; then
    QT_QPA_PLATFORM=offscreen THLD_QT_PICTURE="$THLD_ROOT/build/tsan-qt-main-window.png" \
      TSAN_OPTIONS="halt_on_error=1 exitcode=66 suppressions=$THLD_ROOT/tests/qt/tsan.supp" \
      run_suite tsan-qt build/tsan/tests/qt/thld_qt_tests
  fi
else
  echo "!! the ThreadSanitizer build failed"; build_failed=1
fi

if build windows; then
  # shellcheck source=wine-env.sh
  source "$THLD_ROOT/scripts/wine-env.sh"
  thld_wine_init
  thld_wine_forget_game
  run_suite --wine wine wine build/windows/tests/thld_tests.exe
  run_suite --wine wine-cli wine build/windows/tests/cli/thld_cli_tests.exe
  # The installer's round trip: installed silently, checked, uninstalled, nothing left.
  check_step installer sh -c 'scripts/dist.sh windows && scripts/check-installer.sh'
  if [ -x "$THLD_ROOT/scripts/ui-tests.sh" ] && [ -f build/windows/tests/win32/thld_ui_tests.exe ]; then
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
