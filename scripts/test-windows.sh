#!/usr/bin/env bash
# The Windows stage of the tests: cross-builds oddsmith.exe and its test programs with
# MinGW-w64, then runs them under Wine on a virtual X display of its own (CI has none).
# Screenshots land in build/windows/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh core win
jobs=$(nproc)

echo "== windows"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

source scripts/xvfb.sh
run=$(mktemp -d)
xvfb_pid=""
stop() {
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  # The prefix's wineserver would linger a few seconds after the last Wine process.
  WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  rm -rf "$run"
}
trap stop EXIT
start_xvfb "$run"

ctest --preset windows -j "$jobs"
