#!/usr/bin/env bash
# Builds the benchmarks and prints the performance table: every figure per event and as a ratio
# to its baseline measured in the same run. Installs missing Debian packages first.
# Usage: scripts/bench.sh [--smoke] [STAGE...]
#   STAGE: core (without one, every stage runs)
#   --smoke: one quick pass of each stage to prove it runs; figures not worth quoting
set -euo pipefail
cd "$(dirname "$0")/.."

all_stages=(core)
smoke=0
stages=()
for arg in "$@"; do
  case "$arg" in
    --smoke) smoke=1 ;;
    -h | --help) sed -n '2,6s/^# \{0,1\}//p' "$0"; exit 0 ;;
    -*) echo "bench.sh: unknown option '$arg'" >&2; exit 2 ;;
    *) stages+=("$arg") ;;
  esac
done
[ ${#stages[@]} -eq 0 ] && stages=("${all_stages[@]}")
for stage in "${stages[@]}"; do
  case " ${all_stages[*]} " in
    *" $stage "*) ;;
    *) echo "bench.sh: unknown stage '$stage' (stages: ${all_stages[*]})" >&2; exit 2 ;;
  esac
done

out=build/bench/results
bin=build/bench/bench

build() {
  scripts/deps.sh core bench
  mkdir -p "$out"
  cmake --preset bench >/dev/null
  cmake --build --preset bench -j "$(nproc)" >"$out/build.log" 2>&1 || { cat "$out/build.log"; exit 1; }
}

# Joins "name<TAB>value" files of event, floor and typing figures into table rows: per event,
# the typing (the user's, not the event's) taken off, and the ratio to the floor.
#   rows TIMES INSTRUCTIONS
rows() {
  awk -F '\t' '
    FNR == 1 { file++ }
    { split($1, key, "/"); v[file, key[1], key[2]] = $2; if (!(key[1] in seen)) { seen[key[1]] = 1; order[++n] = key[1] } }
    END {
      for (i = 1; i <= n; i++) {
        c = order[i]
        if (!((1, c, "floor") in v)) continue
        t = v[1, c, "event"] - v[1, c, "typing"]; tf = v[1, c, "floor"]
        r = v[2, c, "event"] - v[2, c, "typing"]; rf = v[2, c, "floor"]
        printf "| %s | %.2f µs | %.2f µs | %.2f× | %d | %d | %.2f× |\n", c, t / 1000, tf / 1000, t / tf, r, rf, (rf > 0 ? r / rf : 0)
      }
    }' "$1" "$2"
}

stage_core() {
  echo "== core: every event on the in-memory controls against its floor"
  local times=$out/core-times.tsv instructions=$out/core-instructions.tsv
  if [ "$smoke" = 1 ]; then
    local log=$out/core-smoke.txt
    { "$bin"/oddsmith-bench-core --times="$times" --benchmark_min_time=0.001 &&
      "$bin"/oddsmith-bench-core --instructions 1; } >"$log" 2>&1 || { cat "$log"; exit 1; }
    echo "core: smoke pass done"
    return
  fi
  # Times: the median of five repetitions, as the machine may be busy.
  "$bin"/oddsmith-bench-core --times="$times" --benchmark_min_time=0.2 \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true >"$out/core-console.txt" 2>&1
  # Instructions: exact, so one run under callgrind; each figure is a dump named after it.
  local cycles=100 dumps=$out/callgrind
  rm -rf "$dumps" && mkdir -p "$dumps"
  valgrind --tool=callgrind --callgrind-out-file="$dumps/core" \
    "$bin"/oddsmith-bench-core --instructions "$cycles" >/dev/null 2>"$dumps/valgrind.log"
  # Each dump covers CYCLES cycles of two events.
  awk -v events=$((cycles * 2)) '
    /^desc: Trigger: Client Request: / { name = substr($0, 32) }
    /^summary: / && name != "" { printf "%s\t%.0f\n", name, $2 / events; name = "" }' \
    "$dumps"/core.* >"$instructions"

  echo
  echo "| event | time | floor | time ÷ floor | instructions | floor | instructions ÷ floor |"
  echo "|---|---:|---:|---:|---:|---:|---:|"
  rows "$times" "$instructions"
  # The number texts: the 28 of one event alone, by the short path the program takes and by
  # the full expansion it falls back on for huge values.
  awk -F '\t' '
    FNR == 1 { file++ }
    { v[file, $1] = $2 }
    END {
      t = v[1, "28 formats/event"]; r = v[2, "28 formats/event"]
      te = v[1, "28 formats/expanded"]; re = v[2, "28 formats/expanded"]
      st = v[1, "start-up/event"]; sr = v[2, "start-up/event"]
      printf "\nThe 28 number texts of an event take %.2f µs and %d instructions, %.0f %% of a start-up'"'"'s time and %.0f %% of its instructions; by full decimal expansion they would take %.2f µs and %d instructions.\n", t / 1000, r, 100 * t / st, 100 * r / sr, te / 1000, re
    }' "$times" "$instructions"
}

build
echo "Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores, $(uname -sr)"
echo "Date: $(date -u +%F)"
# A stage NAME is the function stage_NAME; a new one is added to all_stages above.
for stage in "${stages[@]}"; do "stage_$stage"; done
