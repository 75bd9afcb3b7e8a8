#!/usr/bin/env bash
# Line and branch coverage of every portable folder (text, book, tote, card, files, runner, the
# dispatch and the headless dialog) by the whole test suite (unit tests, golden sessions, the
# fuzzers' kept inputs), with clang's source-based coverage. The files a platform picks are
# counted on their own platform's build: here the POSIX ones.
# Prints the summary per file, then every line and every branch direction never taken.
# With --check, fails when any of them is left.
# Usage: scripts/coverage.sh [--check]
set -euo pipefail
cd "$(dirname "$0")/.."
files=(text/*.cpp book/*.cpp tote/*.cpp card/*.cpp files/*.cpp entries/*.cpp runner/*.cpp dialog/dispatch.cpp
  dialog/headless/*.cpp)
# The Windows program's files are not built here.
mapfile -t files < <(printf '%s\n' "${files[@]}" | grep -v '_win32\.cpp$')

scripts/deps.sh core fuzz
cmake --preset coverage >/dev/null
cmake --build --preset coverage -j 2
build=build/coverage
rm -rf "$build/profiles"
mkdir -p "$build/profiles"
LLVM_PROFILE_FILE="$PWD/$build/profiles/%p.profraw" ctest --preset coverage -j 2 >"$build/ctest.log" ||
  { cat "$build/ctest.log"; exit 1; }
tail -3 "$build/ctest.log"
llvm-profdata merge -sparse "$build"/profiles/*.profraw -o "$build/tests.profdata"

mapfile -t binaries < <(find "$build" -type f -perm -u+x \( -name '*_test' -o -name oddsmith-headless \))
objects=("${binaries[0]}")
for binary in "${binaries[@]:1}"; do objects+=(-object "$binary"); done

llvm-cov report -instr-profile="$build/tests.profdata" "${objects[@]}" "${files[@]}"
# The source view marks each line with its count and each branch with how often it went
# either way; keep the lines never run and the branch directions never taken.
llvm-cov show -instr-profile="$build/tests.profdata" "${objects[@]}" -show-branches=count \
  -path-equivalence=/,/ "${files[@]}" >"$build/show.txt"
uncovered=$(awk '
  /^\/.*:$/ { file = $0; next }
  /^ *[0-9]+\| *0\|/ { print file " line " $0; next }
  /Branch \(/ && (/True: 0,/ || /False: 0\]/) { print file " " $0 }' "$build/show.txt")
if [ -n "$uncovered" ]; then
  echo "== not covered"
  echo "$uncovered"
  [ "${1:-}" = "--check" ] && exit 1
fi
exit 0
