# Sourced by the scripts that need a virtual display.
# start_xvfb FIRST LAST: starts Xvfb on the first free display number in
# FIRST..LAST (each caller has its own range, so that runs side by side do not
# meet), exports DISPLAY, sets xvfb_pid and waits until the server answers.
start_xvfb() {
  local n display=""
  for n in $(seq "$1" "$2"); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || { echo "no free display number in $1..$2" >&2; return 1; }
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}
