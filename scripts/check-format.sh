#!/usr/bin/env bash
# Fails, naming the files, when a C++ source in src/, tests/ or bench/ is not laid out as
# .clang-format says. `scripts/check-format.sh --fix` lays them out.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' 2>/dev/null ||
  find src tests bench -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
