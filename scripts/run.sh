#!/usr/bin/env bash
# Builds the program and runs it: for now the headless dialog on an example session.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh core
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target oddsmith-headless
build/release/oddsmith-headless examples/session.script
