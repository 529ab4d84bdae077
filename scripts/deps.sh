#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tools is missing (Debian 12, as root).
# Usage: deps.sh [extra package ...]
set -euo pipefail

packages=(
  cmake make g++ python3 clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libyaml-cpp-dev libstb-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb x11-utils x11-apps imagemagick
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core
  dpkg-dev scdoc nsis lintian desktop-file-utils appstream man-db
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "== build and test tools: all installed"
  exit 0
fi

echo "== installing with apt-get: ${missing[*]}"
if [ "$(id -u)" != 0 ]; then
  echo "error: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
