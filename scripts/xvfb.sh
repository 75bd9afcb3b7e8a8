# Sourced by the scripts that run a program on an X display of their own (the Windows program
# under Wine, the Linux one under real input): start_xvfb DIR starts a virtual X display (CI
# has none), sets xvfb_pid and exports DISPLAY. Xvfb picks a free display number and writes it
# to DIR/display.
start_xvfb() {
  local dir=$1
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$dir/display" 2>"$dir/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  if [ ! -s "$dir/display" ]; then
    cat "$dir/xvfb.log" >&2
    echo "$(basename "$0"): no Xvfb" >&2
    return 1
  fi
  DISPLAY=":$(head -n 1 "$dir/display")"
  export DISPLAY
}
