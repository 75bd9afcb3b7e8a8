#!/usr/bin/env bash
# Builds the benchmarks and prints the performance table: every figure per event and as a ratio
# to its baseline measured in the same run. Installs missing Debian packages first.
# Usage: scripts/bench.sh [--smoke] [STAGE...]
#   STAGE: core, qt, wine (without one, every stage runs)
#   --smoke: one quick pass of each stage to prove it runs; figures not worth quoting
set -euo pipefail
cd "$(dirname "$0")/.."

all_stages=(core qt wine)
smoke=0
stages=()
xvfb_pid=""  # the Wine stage's X server, for the exit trap
source scripts/xvfb.sh
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

# The median of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Column COLUMN of the rows named NAME in a tab-separated FILE, as its median.
median_of() { awk -F '\t' -v name="$2" -v c="$3" '$1 == name { print $c }' "$1" | median; }
# The same column's smallest value: the run least disturbed by whatever else the machine did.
fastest_of() { awk -F '\t' -v name="$2" -v c="$3" '$1 == name { print $c }' "$1" | sort -g | head -n 1; }

# Instructions of a whole process, or of each named part of it, under callgrind:
#   instructions DUMP COMMAND...  (the dumps are DUMP, or DUMP.1, DUMP.2... when the program
#   names its parts; name_counts DUMP turns the latter into "name<TAB>instructions" lines)
instructions() {
  local dump=$1; shift
  rm -f "$dump" "$dump".*
  valgrind --tool=callgrind --callgrind-out-file="$dump" "$@" >/dev/null 2>"$dump.log" ||
    { cat "$dump.log"; exit 1; }
  awk '/^summary: / { print $2 }' "$dump"
}
name_counts() {
  awk '/^desc: Trigger: Client Request: / { name = substr($0, 32) }
    /^summary: / && name != "" { printf "%s\t%s\n", name, $2; name = "" }' "$1".*
}

stage_qt() {
  echo "== qt: the Linux program on the offscreen platform against the same window without logic"
  export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$PWD/$out/runtime
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  local drag=$out/qt-drag.tsv launches=$out/qt-start.tsv size events=10000 rounds=3 runs=15
  local cg_events=200 start=$bin/oddsmith-bench-qt-start plain=$bin/oddsmith-bench-qt-plain
  [ "$smoke" = 1 ] && events=40 rounds=1 runs=1 cg_events=0
  # The baseline must show the program's window: every widget in the same place, showing the
  # same text, range and position.
  ODDSMITH_PRINT_STATE=1 "$start" >"$out/qt-start-state.txt" 2>/dev/null
  ODDSMITH_PRINT_STATE=1 "$plain" >"$out/qt-plain-state.txt" 2>/dev/null
  diff "$out/qt-start-state.txt" "$out/qt-plain-state.txt" >"$out/qt-state.diff" ||
    { echo "qt: the window without logic differs from the program's:"; cat "$out/qt-state.diff"; exit 1; }
  size=$(sed -n 's/^window //p' "$out/qt-start-state.txt")
  "$bin"/oddsmith-bench-qt-drag "$events" "$rounds" >"$drag" 2>"$out/qt-drag.log" ||
    { cat "$out/qt-drag.log"; exit 1; }
  # Start-up: the program and the window without logic in turn.
  "$bin"/oddsmith-bench-launch "$runs" "$start" "$plain" >"$launches" 2>"$out/qt-start.log" ||
    { cat "$out/qt-start.log"; exit 1; }
  if [ "$smoke" = 1 ]; then
    echo "qt: smoke pass done"
    return
  fi
  local dumps=$out/callgrind-qt
  mkdir -p "$dumps"
  instructions "$dumps/drag" "$bin"/oddsmith-bench-qt-drag "$cg_events" 0 >/dev/null
  local drag_counts=$(name_counts "$dumps/drag")
  local ip=$(awk -F '\t' -v n=$cg_events '$1 == "drag/program" { print $2 / n }' <<<"$drag_counts")
  local ifl=$(awk -F '\t' -v n=$cg_events '$1 == "drag/floor" { print $2 / n }' <<<"$drag_counts")
  local sp=$(instructions "$dumps/start" "$start")
  local sl=$(instructions "$dumps/plain" "$plain")

  local tp=$(median_of "$drag" program 2) tf=$(median_of "$drag" floor 2)
  local pp=$(median_of "$drag" program 3) pf=$(median_of "$drag" floor 3)
  local fp=$(fastest_of "$launches" a 2) fl=$(fastest_of "$launches" b 2)
  local wp=$(median_of "$launches" a 2) wl=$(median_of "$launches" b 2)
  local mp=$(median_of "$launches" a 3) ml=$(median_of "$launches" b 3)
  echo
  echo "Dialog ${size} px; $events thumb-track events, $rounds rounds; $runs start-ups of each."
  echo
  echo "| figure | program | baseline | program ÷ baseline | goal |"
  echo "|---|---:|---:|---:|---:|"
  awk -v tp="$tp" -v tf="$tf" -v pp="$pp" -v pf="$pf" -v ip="$ip" -v if_="$ifl" \
    -v fp="$fp" -v fl="$fl" -v wp="$wp" -v wl="$wl" -v sp="$sp" -v sl="$sl" -v mp="$mp" \
    -v ml="$ml" 'BEGIN {
    printf "| thumb track, time per event | %.0f µs | %.0f µs | %.2f× | ≤ 1.3× |\n", tp / 1000, tf / 1000, tp / tf
    printf "| thumb track, instructions per event | %.0f | %.0f | %.2f× | ≤ 1.3× |\n", ip, if_, ip / if_
    printf "| thumb track, widgets painted per event | %.2f | %.2f | %.2f× | |\n", pp, pf, pp / pf
    printf "| start-up to first paint, time, fastest run | %.1f ms | %.1f ms | %.2f× | |\n", fp / 1000, fl / 1000, fp / fl
    printf "| start-up to first paint, time, median | %.1f ms | %.1f ms | %.2f× | |\n", wp / 1000, wl / 1000, wp / wl
    printf "| start-up to first paint, instructions | %.1f M | %.1f M | %.3f× | ≤ 1.1× |\n", sp / 1e6, sl / 1e6, sp / sl
    printf "| peak memory at first paint | %.1f MiB | %.1f MiB | %.3f× | ≤ 1.05× |\n", mp / 1024, ml / 1024, mp / ml
  }'
}

# The Windows program under Wine, against a minimal dialog program of the same template
# without controls: start-up to the shown dialog, and on to the exit once it is closed.
stage_wine() {
  echo "== wine: the Windows program against a minimal dialog program"
  if [ "$smoke" = 1 ]; then
    # A Wine prefix of its own takes longer to make than a smoke pass may take.
    echo "wine: skipped in the smoke pass (scripts/bench.sh wine runs it)"
    return
  fi
  scripts/deps.sh win
  local tree=build/bench-windows runs=21
  cmake --preset bench-windows >/dev/null
  cmake --build --preset bench-windows -j "$(nproc)" >"$out/wine-build.log" 2>&1 ||
    { cat "$out/wine-build.log"; exit 1; }
  local exe=$tree/dialog/win32/oddsmith.exe minimal=$tree/bench/win32/minimal-dialog.exe
  local resources=$tree/bench/win32/resources-dialog.exe

  local run
  run=$(mktemp -d)
  export WINEPREFIX=$PWD/$tree/wineprefix WINEDEBUG=-all LC_ALL=C
  # shellcheck disable=SC2064  # the paths are fixed now
  trap "[ -z \"\$xvfb_pid\" ] || kill \$xvfb_pid 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf '$run'" EXIT
  start_xvfb "$run"
  tests/win32/wine-prefix.sh
  # One wineserver for all runs, as on a desktop where Wine is already running.
  wineserver -p
  local launches=$out/wine-start.tsv
  wine "$tree/bench/win32/launch.exe" "$runs" "Z:${PWD//\//\\}\\${exe//\//\\}" \
    "Z:${PWD//\//\\}\\${minimal//\//\\}" >"$launches"
  # Where the difference lies: the program against its own resources with no logic.
  wine "$tree/bench/win32/launch.exe" "$((runs * 2 / 3))" "Z:${PWD//\//\\}\\${exe//\//\\}" \
    "Z:${PWD//\//\\}\\${resources//\//\\}" | sed 's/^a/program2/; s/^b/resources/' >>"$launches"
  wineserver -k
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""

  local size msize
  size=$(stat -c %s "$exe") msize=$(stat -c %s "$minimal")
  local sp=$(median_of "$launches" a 2) sm=$(median_of "$launches" b 2)
  local ep=$(median_of "$launches" a 3) em=$(median_of "$launches" b 3)
  local mp=$(median_of "$launches" a 4) mm=$(median_of "$launches" b 4)
  local sp2=$(median_of "$launches" program2 2) sr=$(median_of "$launches" resources 2)
  local fp=$(fastest_of "$launches" a 2) fm=$(fastest_of "$launches" b 2)
  local fp2=$(fastest_of "$launches" program2 2) fr=$(fastest_of "$launches" resources 2)
  echo
  echo "$runs start-ups of each, one wineserver for all."
  echo
  echo "| figure | oddsmith.exe | minimal dialog | program ÷ baseline | goal |"
  echo "|---|---:|---:|---:|---:|"
  awk -v sp="$sp" -v sm="$sm" -v ep="$ep" -v em="$em" -v mp="$mp" -v mm="$mm" \
    -v size="$size" -v msize="$msize" -v sp2="$sp2" -v sr="$sr" \
    -v fp="$fp" -v fm="$fm" -v fp2="$fp2" -v fr="$fr" 'BEGIN {
    printf "| start-up to the shown dialog | %.0f ms | %.0f ms | %.2f× | ≤ 1.1× |\n", sp / 1000, sm / 1000, sp / sm
    printf "| start-up to the shown dialog, fastest run | %.0f ms | %.0f ms | %.2f× | ≤ 1.1× |\n", fp / 1000, fm / 1000, fp / fm
    printf "| start-up to the exit | %.0f ms | %.0f ms | %.2f× | ≤ 1.1× |\n", ep / 1000, em / 1000, ep / em
    printf "| peak working set | %.1f MiB | %.1f MiB | %.2f× | |\n", mp / 1024, mm / 1024, mp / mm
    printf "| exe size | %.0f KiB (%d bytes) | %.0f KiB | | < 400 KB |\n", size / 1024, size, msize / 1024
    printf "| start-up to shown, against its own resources with no logic | %.0f ms | %.0f ms | %.2f× | |\n", sp2 / 1000, sr / 1000, sp2 / sr
    printf "| its own resources with no logic, against the minimal dialog | %.0f ms | %.0f ms | %.2f× | |\n", sr / 1000, sm / 1000, sr / sm
    printf "| start-up to shown, against its own resources, fastest run | %.0f ms | %.0f ms | %.2f× | |\n", fp2 / 1000, fr / 1000, fp2 / fr
    printf "| its own resources against the minimal dialog, fastest run | %.0f ms | %.0f ms | %.2f× | |\n", fr / 1000, fm / 1000, fr / fm
  }'
}

build
echo "Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores, $(uname -sr)"
echo "Date: $(date -u +%F)"
# A stage NAME is the function stage_NAME; a new one is added to all_stages above.
for stage in "${stages[@]}"; do "stage_$stage"; done
