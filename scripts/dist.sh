#!/usr/bin/env bash
# `make dist`: the packages people install, in build/packages/:
#   tallyhold_<version>_<architecture>.deb   for Debian and Ubuntu, from a release build of the native
#       programs with Debian's hardening flags: tallyhold-window (with its desktop entry, icons and
#       AppStream metainfo) and tallyhold (with its completions), their manual pages, the copyright
#       file and the changelog;
#   tallyhold-<version>-windows-x64.zip      from the windows preset's build: THLD.exe, tallyhold.exe,
#       a short README.txt for players and the licence (CR LF line ends);
#   tallyhold-<version>-windows-x64.exe      the same as an installer (NSIS): per-user, Start-menu
#       shortcuts, tallyhold.exe on the PATH as an option, an uninstaller.
# All are made by CPack (cmake/packaging.cmake says what goes in).
# Usage: dist.sh [deb] [windows]   (both without an argument)
set -euo pipefail
THLD_ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$THLD_ROOT"
JOBS=${JOBS:-2}
out="$THLD_ROOT/build/packages"
what=("$@")
[ ${#what[@]} -gt 0 ] || what=(deb windows)

# dpkg-dev: dpkg-shlibdeps and dpkg-buildflags; scdoc: the manual pages; nsis: the installer.
"$THLD_ROOT/scripts/deps.sh" dpkg-dev scdoc nsis
mkdir -p build/logs "$out"

deb() {
  echo "== the .deb: a release build of the native programs in build/dist"
  # Debian's flags for packages, with every hardening feature (bindnow among them).
  local cflags cxxflags cppflags ldflags
  cflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CFLAGS)
  cxxflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CXXFLAGS)
  cppflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get CPPFLAGS)
  ldflags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get LDFLAGS)
  cmake -S . -B build/dist -DCMAKE_BUILD_TYPE=Release -DTHLD_TESTS=OFF \
    "-DCMAKE_C_FLAGS=$cppflags $cflags" "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" \
    "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >build/logs/configure-dist.log 2>&1 ||
    { cat build/logs/configure-dist.log; exit 1; }
  cmake --build build/dist -j "$JOBS" --target thld_packaged >build/logs/build-dist.log 2>&1 ||
    { tail -30 build/logs/build-dist.log; exit 1; }
  rm -f "$out"/tallyhold_*.deb
  (cd build/dist && cpack -G DEB -B "$out" >"$THLD_ROOT/build/logs/cpack-deb.log") ||
    { cat build/logs/cpack-deb.log; exit 1; }
}

windows() {
  echo "== the .zip and the installer: the windows preset's build"
  cmake --preset windows >build/logs/configure-windows.log 2>&1 || { cat build/logs/configure-windows.log; exit 1; }
  cmake --build --preset windows -j "$JOBS" --target thld_packaged >build/logs/build-dist-windows.log 2>&1 ||
    { tail -30 build/logs/build-dist-windows.log; exit 1; }
  rm -f "$out"/tallyhold-*-windows-x64.*
  (cd build/windows && cpack -G "ZIP;NSIS" -B "$out" >"$THLD_ROOT/build/logs/cpack-windows.log") ||
    { cat build/logs/cpack-windows.log; exit 1; }
}

for step in "${what[@]}"; do
  case $step in
    deb) deb ;;
    windows) windows ;;
    *) echo "error: unknown package kind $step (deb or windows)" >&2; exit 2 ;;
  esac
done

rm -rf "$out/_CPack_Packages"
echo "== packages in build/packages:"
for package in "$out"/*.deb "$out"/*.zip "$out"/*.exe; do
  [ -f "$package" ] && echo "   $(basename "$package")  ($(du -h "$package" | cut -f1))"
done
true
