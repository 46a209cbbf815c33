# Sourced by the scripts that need a virtual display.
# start_xvfb FIRST LAST: starts Xvfb on the first free display number in
# FIRST..LAST (each caller has its own range, so that runs side by side do not
# meet), exports DISPLAY, sets xvfb_pid and waits until the server answers.
# TAVIK_DISPLAY_OFFSET moves every range (for runs of two trees side by side).
start_xvfb() {
  local n display="" offset=${TAVIK_DISPLAY_OFFSET:-0}
  for n in $(seq $(($1 + offset)) $(($2 + offset))); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || { echo "no free display number in $1..$2" >&2; return 1; }
  Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "the virtual display $display did not answer" >&2
  return 1
}

# x_window_at "LEFT TOP WIDTH HEIGHT": the viewable top-level X window of that
# place and size (windows without a title, such as dialogs, are found this
# way; a closed dialog of the same size may linger unmapped).
x_window_at() {
  local id
  for id in $(xwininfo -root -children | awk -v want="$1" '
    $1 ~ /^0x/ {
      for (i = 2; i <= NF; i++) if ($i ~ /^[0-9]+x[0-9]+[+-][0-9]+[+-][0-9]+$/) {
        split($i, a, /[x+]/); split($(i + 1), b, /\+/)
        if (b[2] " " b[3] " " a[1] " " a[2] == want) print $1
      }
    }'); do
    xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable" && { echo "$id"; return 0; }
  done
  return 1
}
