#!/bin/sh
# Starts the program as a user would: program.sh ODDSMITH CASE.
#   no-display   no display and no QT_QPA_PLATFORM: one line, exit status 1, no crash
#   bad-display  DISPLAY names no running X server: the same
#   offscreen    QT_QPA_PLATFORM=offscreen: the window runs until stopped
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
  *) echo "usage: program.sh ODDSMITH no-display|bad-display|offscreen"; exit 2 ;;
esac
