#!/usr/bin/env bash
# Builds the program and runs it: the Qt dialog on this desktop.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh core
scripts/deps.sh qt
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target oddsmith
exec build/release/dialog/qt/oddsmith
