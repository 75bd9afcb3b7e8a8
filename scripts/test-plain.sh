#!/usr/bin/env bash
# Builds the program as a packager would, with no preset and warnings not made errors, once
# with GCC and once with clang, in Release (-O3), and runs the tests of each build: the unit
# tests, the golden sessions, the Qt window on the offscreen platform and the fuzzers' kept
# inputs. Fails on any warning, from CMake or from a compiler. Each build starts clean, so
# that every source is compiled and can warn. Build folders: build/plain-gcc, build/plain-clang.
# Usage: scripts/test-plain.sh [gcc|clang...]
set -euo pipefail
cd "$(dirname "$0")/.."

compilers=("$@")
[ ${#compilers[@]} -eq 0 ] && compilers=(gcc clang)
scripts/deps.sh core qt
for compiler in "${compilers[@]}"; do
  case "$compiler" in
    gcc) ;;
    clang) scripts/deps.sh fuzz ;;
    *) echo "test-plain.sh: unknown compiler '$compiler' (gcc, clang)" >&2; exit 2 ;;
  esac
done
jobs=$(nproc)

for compiler in "${compilers[@]}"; do
  dir=build/plain-$compiler
  cxx=g++
  [ "$compiler" = clang ] && cxx=clang++
  echo "== plain $compiler"
  mkdir -p "$dir"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$cxx" >"$dir/configure.log" 2>&1 ||
    { cat "$dir/configure.log"; exit 1; }
  cmake --build "$dir" -j "$jobs" --clean-first >"$dir/build.log" 2>&1 || { cat "$dir/build.log"; exit 1; }
  if grep -qi 'warning' "$dir/configure.log" "$dir/build.log"; then
    grep -i -A8 'warning' "$dir/configure.log" "$dir/build.log" >&2
    echo "test-plain.sh: the $compiler build warns (above)" >&2
    exit 1
  fi
  ctest --test-dir "$dir" -j "$jobs" --output-on-failure
done
