#!/bin/sh
# Starts the program as a user would: program.sh ODDSMITH CASE.
#   no-display   no display and no QT_QPA_PLATFORM: one line, exit status 1, no crash
#   bad-display  DISPLAY names no running X server: the same
#   offscreen    QT_QPA_PLATFORM=offscreen: the window runs until stopped
#   help         --help and --version print and end with 0, without a display too
#   bad-options  an unknown option (Qt's own among them), a second FILE, --import twice or
#                without its file: the usage, status 2
#   bad-file     a FILE that cannot be opened, or ENTRIES that cannot be imported: a line on
#                standard error, then the window runs
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
case $2 in
  no-display | bad-display)
    [ "$2" = bad-display ] && export DISPLAY=:59999
    out=$("$program" 2>&1)
    status=$?
    printf '%s\n' "$out"
    [ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
    [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "expected one line"; exit 1; }
    case $out in
      "oddsmith: cannot open the window"*) ;;
      *) echo "unexpected message"; exit 1 ;;
    esac
    ;;
  offscreen)
    QT_QPA_PLATFORM=offscreen timeout 3 "$program"
    status=$?
    [ "$status" -eq 124 ] || { echo "exit status $status before it was stopped"; exit 1; }
    ;;
  help)
    "$program" --help | grep -q '^usage: oddsmith \[FILE\]' || { echo "no usage"; exit 1; }
    [ "$("$program" --version)" = "oddsmith $3" ] || { echo "wrong version"; exit 1; }
    ;;
  bad-options)
    for arguments in "-style windows" "-platform offscreen" "--nonsense" "a.oddsline b.oddsline" \
      "--import" "a.oddsline --import" "--import a.csv --import b.csv"; do
      # shellcheck disable=SC2086  # each case is several words
      out=$(QT_QPA_PLATFORM=offscreen timeout 5 "$program" $arguments 2>&1)
      status=$?
      [ "$status" -eq 2 ] || { echo "$arguments: exit status $status, expected 2"; exit 1; }
      printf '%s\n' "$out" | grep -q '^usage: oddsmith' || { echo "$arguments: no usage"; exit 1; }
    done
    ;;
  bad-file)
    err=$(mktemp)
    QT_QPA_PLATFORM=offscreen timeout 3 "$program" /nonexistent/race.oddsline 2>"$err"
    status=$?
    grep -q '^oddsmith: Cannot open "/nonexistent/race.oddsline": no such file' "$err" ||
      { cat "$err"; rm -f "$err"; echo "no line on standard error"; exit 1; }
    [ "$status" -eq 124 ] || { rm -f "$err"; echo "exit status $status before it was stopped"; exit 1; }
    QT_QPA_PLATFORM=offscreen timeout 3 "$program" --import /nonexistent/entries.csv 2>"$err"
    status=$?
    grep -q '^oddsmith: Cannot import "/nonexistent/entries.csv": no such file' "$err" ||
      { cat "$err"; rm -f "$err"; echo "no line on standard error"; exit 1; }
    rm -f "$err"
    [ "$status" -eq 124 ] || { echo "exit status $status before it was stopped"; exit 1; }
    ;;
  *) echo "usage: program.sh ODDSMITH CASE [VERSION]"; exit 2 ;;
esac
