# Sourced by the scripts that photograph the running program: a Wine prefix
# of their own with the X11 driver, a virtual display, and everything ended
# when the script exits (the program in $app, the prefix's wineserver, the
# display). Needs $here and $build.
# start_shots_session FIRST LAST: the display number range (see xvfb.sh).
start_shots_session() {
  export WINEPREFIX="$build/wineprefix-shots" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  xvfb_pid=""; app=""
  trap end_shots_session EXIT
  . "$here/scripts/xvfb.sh"
  start_xvfb "$1" "$2"
  "$here/scripts/wineprefix.sh" "$WINEPREFIX" x11
}

end_shots_session() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
