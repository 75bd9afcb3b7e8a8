#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for SECONDS (default 60), all at once, one process each, on a copy of its kept corpus
# (fuzz/corpus/TARGET) after replaying the inputs that once broke it (tests/fuzz/TARGET).
# A finding fails the run and is saved under build/fuzz/findings/TARGET/; replay it with
#   build/fuzz/fuzz/TARGET_fuzzer FILE
# and keep it under tests/fuzz/TARGET/ once the fault is fixed.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(odds dialog line_file import)

scripts/deps.sh core fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target odds_fuzzer dialog_fuzzer line_file_fuzzer import_fuzzer \
  script_seed

run() {
  local target=$1 work=build/fuzz/run/$1
  local fuzzer=build/fuzz/fuzz/${target}_fuzzer
  rm -rf "$work"
  mkdir -p "$work/corpus" "build/fuzz/findings/$target"
  cp fuzz/corpus/"$target"/* "$work/corpus/"
  local kept=(tests/fuzz/"$target"/*)
  if [ -e "${kept[0]}" ]; then
    "$fuzzer" "${kept[@]}" >"$work/replay.log" 2>&1 || { cat "$work/replay.log"; return 1; }
  fi
  # Sessions of a few dozen events reach every state; longer inputs only run slower.
  local max_len=256
  [ "$target" = dialog ] && max_len=512
  [ "$target" = line_file ] && max_len=2048
  [ "$target" = import ] && max_len=2048
  "$fuzzer" -dict="fuzz/$target.dict" -max_total_time="$seconds" -max_len=$max_len -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target/" \
    "$work/corpus" >"$work/fuzz.log" 2>&1
}

pids=()
for target in "${targets[@]}"; do
  run "$target" &
  pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]} log=build/fuzz/run/${targets[$i]}/fuzz.log
  if wait "${pids[$i]}"; then
    # The last status line: executions, coverage (cov: edges, ft: features), speed.
    line=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
    echo "fuzz $target: ${seconds}s, no finding: $line"
  else
    status=1
    echo "fuzz $target: FINDING (input in build/fuzz/findings/$target/)" >&2
    tail -60 "$log" >&2 || true
  fi
done
exit $status
