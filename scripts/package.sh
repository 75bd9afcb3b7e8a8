#!/usr/bin/env bash
# Builds the packages a user installs: the Debian package of the Linux program and the zip of
# the Windows program. Prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh core qt win pkg
jobs=$(nproc)
for preset in release windows; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" >/dev/null
  (cd "build/$preset" && cpack >/dev/null)
done
ls build/release/packages/oddsmith_*.deb build/windows/packages/oddsmith-*-windows-x64.zip
