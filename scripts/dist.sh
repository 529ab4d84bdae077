#!/usr/bin/env bash
# `make dist`: the packages people install, in build/packages/:
#   tallyhold_<version>_<architecture>.deb  for Debian and Ubuntu, from a release build of the native
#       programs: tallyhold-window (with its desktop entry and icon) and tallyhold where it is built;
#   tallyhold-<version>-windows-x64.zip     from the windows preset's build: THLD.exe, tallyhold.exe
#       where it is built, and the README.
# Both are made by CPack (cmake/packaging.cmake says what goes in).
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}
out="$THLD_ROOT/build/packages"

# dpkg-shlibdeps (dpkg-dev) tells the .deb which libraries the programs need.
"$THLD_ROOT/scripts/deps.sh" dpkg-dev
mkdir -p build/logs "$out"

echo "== the .deb: a release build of the native programs in build/dist"
cmake -S . -B build/dist -DCMAKE_BUILD_TYPE=Release -DTHLD_TESTS=OFF >build/logs/configure-dist.log 2>&1 ||
  { cat build/logs/configure-dist.log; exit 1; }
cmake --build build/dist -j "$JOBS" --target thld_packaged >build/logs/build-dist.log 2>&1 ||
  { tail -30 build/logs/build-dist.log; exit 1; }
(cd build/dist && cpack -G DEB -B "$out" >"$THLD_ROOT/build/logs/cpack-deb.log") ||
  { cat build/logs/cpack-deb.log; exit 1; }

echo "== the .zip: the windows preset's build"
cmake --preset windows >build/logs/configure-windows.log 2>&1 || { cat build/logs/configure-windows.log; exit 1; }
cmake --build --preset windows -j "$JOBS" --target thld_packaged >build/logs/build-dist-windows.log 2>&1 ||
  { tail -30 build/logs/build-dist-windows.log; exit 1; }
(cd build/windows && cpack -G ZIP -B "$out" >"$THLD_ROOT/build/logs/cpack-zip.log") ||
  { cat build/logs/cpack-zip.log; exit 1; }

rm -rf "$out/_CPack_Packages"
echo "== packages in build/packages:"
for package in "$out"/*.deb "$out"/*.zip; do
  echo "   $(basename "$package")  ($(du -h "$package" | cut -f1))"
done
