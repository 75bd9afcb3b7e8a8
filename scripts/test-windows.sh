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

run=$(mktemp -d)
xvfb=""
stop() {
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  # The prefix's wineserver would linger a few seconds after the last Wine process.
  WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  rm -rf "$run"
}
trap stop EXIT

# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$run/display" 2>"$run/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
  [ -s "$run/display" ] && break
  sleep 0.1
done
[ -s "$run/display" ] || { cat "$run/xvfb.log" >&2; echo "test-windows.sh: no Xvfb" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$run/display")"

ctest --preset windows -j "$jobs"
