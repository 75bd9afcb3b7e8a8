#!/usr/bin/env bash
# Builds the benchmarks and prints the performance table: every figure per event and as a ratio
# to its baseline measured in the same run. Installs missing Debian packages first.
# Usage: scripts/bench.sh [--smoke] [STAGE...]
#   STAGE: core, qt, wine (without one, every stage runs)
#   --smoke: one quick pass of each stage to prove it runs; figures not worth quoting
#   ODDSMITH_WINE_BEFORE=other.exe: the wine stage times that build of the program too
set -euo pipefail
# Named from where the script was started.
before=""
if [ -n "${ODDSMITH_WINE_BEFORE:-}" ]; then
  before=$(realpath -e "$ODDSMITH_WINE_BEFORE") || { echo "bench.sh: no program $ODDSMITH_WINE_BEFORE" >&2; exit 2; }
fi
cd "$(dirname "$0")/.."

all_stages=(core qt wine)
smoke=0
stages=()
xvfb_pid=""  # the Wine stage's X server, for the exit trap
source scripts/xvfb.sh
for arg in "$@"; do
  case "$arg" in
    --smoke) smoke=1 ;;
    -h | --help) sed -n '2,7s/^# \{0,1\}//p' "$0"; exit 0 ;;
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
  # The card: a move to another race against the start-up event, which writes as much; a
  # 12-race card's open against reading its bytes; a 12-race import against splitting its
  # bytes.
  echo
  echo "| figure | program | baseline | program ÷ baseline | goal |"
  echo "|---|---:|---:|---:|---|"
  row "going to another race, instructions (baseline: start-up)" \
    "$(figure median <(tsv "$instructions") "race switch/event" value)" \
    "$(figure median <(tsv "$instructions") "start-up/event" value)" 1 0 "" 2 "≤ 1.5×"
  row "going to another race, time (baseline: start-up)" \
    "$(figure median <(tsv "$times") "race switch/event" value)" \
    "$(figure median <(tsv "$times") "start-up/event" value)" 1000 2 " µs" 2
  row "opening a saved 12-race card, time (baseline: reading its bytes)" \
    "$(figure median <(tsv "$times") "12-race card/open" value)" \
    "$(figure median <(tsv "$times") "12-race card/bytes" value)" 1000 1 " µs" 2 "≤ 3×"
  row "importing a 12-race single-file card of 110 horses, time (baseline: splitting its lines and fields)" \
    "$(figure median <(tsv "$times") "12-race entries/import" value)" \
    "$(figure median <(tsv "$times") "12-race entries/split" value)" 1000 1 " µs" 2 "≤ 3×"
}

# A figure from a table the benchmarks print, whose first line names its columns and whose first
# column names the row: the median, or the smallest value ("fastest": the run least disturbed
# by whatever else the machine did), of column COLUMN in the rows named ROW.
#   figure median|fastest FILE ROW COLUMN
figure() {
  awk -F '\t' -v row="$3" -v name="$4" '
    NR == 1 { for (i = 1; i <= NF; i++) if ($i == name) c = i; next }
    c && $1 == row { print $c }' "$2" | sort -g |
    awk -v pick="$1" '{ v[NR] = $1 }
      END { print pick == "fastest" ? v[1] : NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A "name<TAB>value" file as such a table, its columns named name and value.
tsv() { printf 'name\tvalue\n'; cat "$1"; }

# One row of a table against a baseline: the label, both figures divided by DIVISOR and printed
# with DIGITS decimals and UNIT, their ratio with RATIO_DIGITS decimals, and the goal.
#   row LABEL PROGRAM BASELINE DIVISOR DIGITS UNIT RATIO_DIGITS [GOAL]
row() {
  awk -v label="$1" -v p="$2" -v b="$3" -v d="$4" -v digits="$5" -v unit="$6" -v rd="$7" \
    -v goal="${8:-}" 'BEGIN {
      f = "%." digits "f" unit
      printf "| %s | " f " | " f " | %." rd "f× |%s|\n", label, p / d, b / d, p / b,
        goal == "" ? " " : " " goal " "
    }'
}

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

  echo
  echo "Dialog ${size} px; $events thumb-track events, $rounds rounds; $runs start-ups of each."
  echo
  echo "| figure | program | baseline | program ÷ baseline | goal |"
  echo "|---|---:|---:|---:|---:|"
  # In the start-up table, a is the program and b the window without logic.
  row "thumb track, time per event" "$(figure median "$drag" program ns_per_event)" \
    "$(figure median "$drag" floor ns_per_event)" 1000 0 " µs" 2 "≤ 1.3×"
  row "thumb track, instructions per event" "$ip" "$ifl" 1 0 "" 2 "≤ 1.3×"
  row "thumb track, widgets painted per event" "$(figure median "$drag" program paints_per_event)" \
    "$(figure median "$drag" floor paints_per_event)" 1 2 "" 2
  row "start-up to first paint, time, fastest run" "$(figure fastest "$launches" a time_us)" \
    "$(figure fastest "$launches" b time_us)" 1000 1 " ms" 2
  row "start-up to first paint, time, median" "$(figure median "$launches" a time_us)" \
    "$(figure median "$launches" b time_us)" 1000 1 " ms" 2
  row "start-up to first paint, instructions" "$sp" "$sl" 1e6 1 " M" 3 "≤ 1.1×"
  row "peak memory at first paint" "$(figure median "$launches" a peak_kib)" \
    "$(figure median "$launches" b peak_kib)" 1024 1 " MiB" 3 "≤ 1.05×"
}

# The Windows program under Wine, against a minimal dialog program of the same template
# without controls: start-up to the shown dialog, and on to the exit once it is closed.
stage_wine() {
  echo "== wine: the Windows program against its own resources with no logic"
  if [ "$smoke" = 1 ]; then
    # A Wine prefix of its own takes longer to make than a smoke pass may take.
    echo "wine: skipped in the smoke pass (scripts/bench.sh wine runs it)"
    return
  fi
  scripts/deps.sh win
  local tree=build/bench-windows runs=${ODDSMITH_WINE_RUNS:-31}
  cmake --preset bench-windows >/dev/null
  cmake --build --preset bench-windows -j "$(nproc)" >"$out/wine-build.log" 2>&1 ||
    { cat "$out/wine-build.log"; exit 1; }
  local exe=$tree/dialog/win32/oddsmith.exe minimal=$tree/bench/win32/minimal-dialog.exe
  local resources=$tree/bench/win32/resources-dialog.exe like=$tree/bench/win32/like-dialog.exe
  local plain=$tree/bench/win32/plain-resources-dialog.exe

  local run
  run=$(mktemp -d)
  export WINEPREFIX=$PWD/$tree/wineprefix WINEDEBUG=-all LC_ALL=C
  # shellcheck disable=SC2064  # the paths are fixed now
  trap "[ -z \"\$xvfb_pid\" ] || kill \$xvfb_pid 2>/dev/null || true; wineserver -k 2>/dev/null || true; rm -rf '$run'" EXIT
  start_xvfb "$run"
  tests/win32/wine-prefix.sh
  # One wineserver for all runs, as on a desktop where Wine is already running.
  wineserver -p
  # Like for like: the floor's first frame is the program's. Each is shown alone, screenshot
  # once it has settled; a few pixels may differ by the caret's blink.
  first_frame() {
    wine "$@" &
    local pid=$! window
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Oddsmith$' | head -1) ||
      { echo "wine: $1 showed no dialog" >&2; exit 1; }
    sleep 2
    import -window root "$run/$(basename "$1" .exe).png"
    xdotool windowclose "$window" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    wineserver -p
  }
  first_frame "$exe"
  first_frame "$like"
  local differ
  differ=$(compare -metric AE "$run/oddsmith.png" "$run/like-dialog.png" null: 2>&1 || true)
  if ! [ "$differ" -le 50 ] 2>/dev/null; then
    cp "$run/oddsmith.png" "$run/like-dialog.png" "$out/"
    echo "wine: the floor's first frame is not the program's ($differ pixels differ;" \
      "see $out/oddsmith.png and $out/like-dialog.png)" >&2
    exit 1
  fi
  echo "The floor's first frame is the program's ($differ pixels differ)."
  local launches=$out/wine-start.tsv
  # Interleaved in every round: the program (a); the minimal dialog (b); the program's own
  # resources under a do-nothing procedure (c); the same resources showing the program's start
  # state, written with no logic (d, the like-for-like floor); and d less or plus one phase:
  # no hide and show (e), no state written (f), the tooltips (g), the system menu's entries
  # (h), the state written with the painting held, as the program writes it (i); the
  # do-nothing procedure over the resources without the manifest, so without the common
  # controls library (j); and where ODDSMITH_WINE_BEFORE names another build of the program,
  # that one (k), to compare a change in the same run. The Windows program's lines end in CR LF.
  win_path() { printf 'Z:%s\\%s' "${PWD//\//\\}" "${1//\//\\}"; }
  local programs=("$(win_path "$exe")" "$(win_path "$minimal")" "$(win_path "$resources")"
    "$(win_path "$like")" "$(win_path "$like") noshow" "$(win_path "$like") nostate"
    "$(win_path "$like") tips" "$(win_path "$like") menu" "$(win_path "$like") held"
    "$(win_path "$plain")")
  if [ -n "$before" ]; then
    cp "$before" "$run/before.exe"
    programs+=("$(printf 'Z:%s' "${run//\//\\}")\\before.exe")
  fi
  wine "$tree/bench/win32/launch.exe" "$runs" "${programs[@]}" | tr -d '\r' >"$launches"
  wineserver -k
  kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""

  local size msize
  size=$(stat -c %s "$exe") msize=$(stat -c %s "$minimal")
  echo
  echo "$runs start-ups of each, interleaved, one wineserver for all; processor time is user and"
  echo "kernel to the shown dialog."
  echo
  echo "| figure | oddsmith.exe | baseline | program ÷ baseline | goal |"
  echo "|---|---:|---:|---:|---:|"
  row "to shown, against its own resources with no logic, median" \
    "$(figure median "$launches" a shown_us)" "$(figure median "$launches" d shown_us)" \
    1000 0 " ms" 2 "≤ 1.1×"
  row "to shown, against its own resources with no logic, fastest run" \
    "$(figure fastest "$launches" a shown_us)" "$(figure fastest "$launches" d shown_us)" \
    1000 0 " ms" 2 "≤ 1.1×"
  row "processor time to shown, against its own resources with no logic, median" \
    "$(figure median "$launches" a cpu_us)" "$(figure median "$launches" d cpu_us)" \
    1000 0 " ms" 2 "≤ 1.1×"
  row "processor time to shown, against its own resources with no logic, fastest run" \
    "$(figure fastest "$launches" a cpu_us)" "$(figure fastest "$launches" d cpu_us)" \
    1000 0 " ms" 2 "≤ 1.1×"
  # The floor as the program now writes its start, with the painting held: the stricter one.
  row "to shown, against the same with its painting held as the program's, median" \
    "$(figure median "$launches" a shown_us)" "$(figure median "$launches" i shown_us)" \
    1000 0 " ms" 2
  row "processor time to shown, against the same with its painting held, median" \
    "$(figure median "$launches" a cpu_us)" "$(figure median "$launches" i cpu_us)" \
    1000 0 " ms" 2
  if [ -n "$before" ]; then
    row "to shown, ODDSMITH_WINE_BEFORE against its own resources with no logic, median" \
      "$(figure median "$launches" k shown_us)" "$(figure median "$launches" d shown_us)" \
      1000 0 " ms" 2
    row "processor time to shown, ODDSMITH_WINE_BEFORE against the same, median" \
      "$(figure median "$launches" k cpu_us)" "$(figure median "$launches" d cpu_us)" \
      1000 0 " ms" 2
  fi
  row "to shown, against its own resources under a do-nothing procedure, median" \
    "$(figure median "$launches" a shown_us)" "$(figure median "$launches" c shown_us)" \
    1000 0 " ms" 2
  row "to shown, against the minimal dialog, median" "$(figure median "$launches" a shown_us)" \
    "$(figure median "$launches" b shown_us)" 1000 0 " ms" 2
  row "to the exit, against the minimal dialog, median" "$(figure median "$launches" a exit_us)" \
    "$(figure median "$launches" b exit_us)" 1000 0 " ms" 2
  row "peak working set, against the minimal dialog" "$(figure median "$launches" a peak_kib)" \
    "$(figure median "$launches" b peak_kib)" 1024 1 " MiB" 2
  awk -v size="$size" -v msize="$msize" 'BEGIN {
    printf "| exe size | %.0f KiB (%d bytes) | %.0f KiB | | < 400 KB |\n", size / 1024, size, msize / 1024
  }'
  # What each phase adds, as the difference of the medians of two programs that differ in it
  # alone: wall time and processor time to the shown dialog.
  phase() {
    awk -v label="$1" -v w1="$(figure median "$launches" "$2" shown_us)" \
      -v w0="$(figure median "$launches" "$3" shown_us)" \
      -v c1="$(figure median "$launches" "$2" cpu_us)" \
      -v c0="$(figure median "$launches" "$3" cpu_us)" \
      'BEGIN { printf "| %s | %+.0f ms | %+.0f ms |\n", label, (w1 - w0) / 1000, (c1 - c0) / 1000 }'
  }
  echo
  echo "| phase, what it adds (median minus median) | to shown | processor time |"
  echo "|---|---:|---:|"
  phase "the 95 controls and the common controls library (c − b)" c b
  phase "of which the common controls library the manifest asks for (c − j)" c j
  phase "the start state written with no logic (d − c)" d c
  phase "of which the hide and show (d − e)" d e
  phase "of which the texts, ranges and positions and their repaints (d − f)" d f
  phase "tooltip control and 29 tools made at the start (g − d)" g d
  phase "system menu's 19 entries added at the start (h − d)" h d
  phase "the state written with its painting held, one paint (i − d)" i d
  phase "the program over the like-for-like floor (a − d)" a d
  if [ -n "$before" ]; then
    phase "the build in ODDSMITH_WINE_BEFORE over the floor (k − d)" k d
  fi
}

build
echo "Machine: $(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1), $(nproc) cores, $(uname -sr)"
echo "Date: $(date -u +%F)"
# A stage NAME is the function stage_NAME; a new one is added to all_stages above.
for stage in "${stages[@]}"; do "stage_$stage"; done
