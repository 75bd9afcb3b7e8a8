#!/usr/bin/env bash
# Builds everything and runs every test: the optimised build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer and in plain builds with GCC and clang.
# Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh core
scripts/deps.sh qt
jobs=$(nproc)

echo "== formatting"
scripts/format.sh --check

for preset in release sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

# As a packager builds it: no preset, warnings not errors, GCC and clang; none may warn.
scripts/test-plain.sh

# Static analysis, then each fuzzer for a bounded time after replaying its kept findings.
echo "== lint"
scripts/lint.sh
echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-60}"

scripts/test-windows.sh

echo "== packages"
scripts/test-packages.sh

echo "== benchmarks: one quick pass to prove they run (figures: scripts/bench.sh)"
scripts/bench.sh --smoke
