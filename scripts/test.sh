#!/usr/bin/env bash
# Builds everything and runs every test: the optimised build, then the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer. Installs missing Debian packages first.
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
scripts/test-windows.sh

echo "== benchmarks: one quick pass to prove they run (figures: scripts/bench.sh)"
scripts/bench.sh --smoke
