#!/usr/bin/env bash
# A session of real X input on the Linux program, read as a screen reader reads it:
#   real-input-atspi.sh ODDSMITH SESSION.py ARTIFACTS_DIR [ARGUMENT...]
# The program runs on an Xvfb of its own inside a D-Bus session with its accessibility on;
# SESSION.py types, clicks and checks, given ARTIFACTS_DIR and the arguments. Exits 77
# (skipped) when a tool it needs is missing.
set -u
program=$1
session=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
# pyatspi is the system's Python package, whatever python3 comes first on the PATH.
python=/usr/bin/python3

for tool in Xvfb xdotool xclip dbus-run-session "$python"; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
"$python" -c 'import pyatspi' 2>/dev/null || { echo "skipped: no pyatspi"; exit 77; }

# A session bus of its own, on which the accessibility bus starts when first asked for. The
# accessibility bus puts its socket in the user's runtime folder, or in ~/.cache/at-spi when none
# is set: sessions running side by side would share, and remove, one socket. Each gets its own.
if [ -z "${ODDSMITH_ATSPI_SESSION:-}" ]; then
  runtime=$(mktemp -d) || exit 1
  chmod 700 "$runtime"
  XDG_RUNTIME_DIR=$runtime ODDSMITH_ATSPI_SESSION=1 \
    dbus-run-session -- bash "$0" "$program" "$session" "$@"
  status=$?
  rm -rf "$runtime"
  exit "$status"
fi

dir=$(mktemp -d)
pid=
xvfb_pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  # Waited for: an X server still shutting down removes its socket, which a server started
  # meanwhile by a session beside this one may have taken over under the same display number.
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
# shellcheck source=scripts/xvfb.sh
. "$here/../../scripts/xvfb.sh"
start_xvfb "$dir" || exit 1
# An X server that has reported itself ready may yet take no connection (seen in the sanitized
# build with sessions side by side, the program finding no display): such a one is replaced.
x_answers() {
  for _ in $(seq 30); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
if ! x_answers; then
  echo "the X server on $DISPLAY takes no connection; starting another" >&2
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  start_xvfb "$dir" || exit 1
  x_answers || { echo "no X server takes a connection"; exit 1; }
fi

unset WAYLAND_DISPLAY QT_QPA_PLATFORM
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>"$dir/stderr" &
pid=$!
# -B: the shared module is imported without writing its byte code into the source tree.
timeout 60 "$python" -B "$here/$session" "$@" || { cat "$dir/stderr"; exit 1; }

# Escape in the dialog ends the program with 0.
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && { echo "still running after Escape"; exit 1; }
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || { cat "$dir/stderr"; echo "exit status $status, expected 0"; exit 1; }
echo "$session: every check held"
