#!/usr/bin/env bash
# Static analysis of our C++ sources: clang-tidy (checks in .clang-tidy) and cppcheck, both
# clean or the run fails. A source is analysed with the flags its build gives it, taken from
# the compile_commands.json of the Linux build. The platform folders (the Win32 binding, and
# the Qt binding where Qt is not configured) are linted where their build exists: a source in
# no build here is listed as skipped, never silently passed over.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh core fuzz lint
build=build/lint
# clang's flags, with the fuzzers configured, so that every source of ours here is in it, and
# warnings as errors, as every preset has them.
cmake --fresh -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DODDSMITH_FUZZ=ON -DODDSMITH_WERROR=ON >/dev/null
# Generated sources (Qt's moc output, included by the files that declare their own QObjects)
# must exist before the analysis reads them.
mapfile -t generators < <(cmake --build "$build" --target help | grep -o '[A-Za-z0-9_]*_autogen$' | sort -u)
[ ${#generators[@]} -eq 0 ] || cmake --build "$build" -j 2 --target "${generators[@]}" >/dev/null

mapfile -t sources < <(git ls-files -co --exclude-standard -- '*.cpp' | sort)
mapfile -t built < <(grep -o '"file": "[^"]*"' "$build/compile_commands.json" |
  sed 's/"file": "//; s/"$//' | sort -u)
checked=()
for source in "${sources[@]}"; do
  if printf '%s\n' "${built[@]}" | grep -qxF "$PWD/$source"; then
    checked+=("$source")
  else
    echo "lint: skipped $source (not in this platform's build)"
  fi
done

echo "== clang-tidy (${#checked[@]} sources)"
# One process per source, two at a time; any warning fails (WarningsAsErrors).
printf '%s\n' "${checked[@]}" |
  xargs -P 2 -n 1 clang-tidy -p "$build" --quiet 2>/dev/null

echo "== cppcheck (every source of the same build)"
# System headers are not read (gtest's macros come from cppcheck's googletest library);
# useStlAlgorithm only prefers std::accumulate to a plain counting loop. Qt's generated moc
# output checks for <QObject>, a system header cppcheck does not read.
cppcheck --project="$build/compile_commands.json" --library=googletest \
  --enable=warning,style,performance,portability --std=c++20 --inline-suppr \
  --error-exitcode=1 --quiet --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
  --suppress=useStlAlgorithm --suppress='preprocessorErrorDirective:*_autogen/*'
echo "lint: clean"
