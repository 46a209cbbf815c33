# Sourced by the end-to-end tests (with $build and $src set): starts their
# session, ends the program, the prefix's server and the virtual display with
# the test, fails with a screenshot, and waits by polling with a bound (X and
# Wine may see the focus move in either order, so nothing waits a fixed time).
xvfb_pid=""; app=""; work=""; helper=""

# start_e2e_session FOLDER FIRST LAST [PREFIX]: $work = $build/FOLDER made
# empty, Wine's environment with the prefix $build/PREFIX (wineprefix-e2e when
# not given), a virtual display in FIRST..LAST and the prefix made for it.
start_e2e_session() {
  work="$build/$1"
  rm -rf "$work"; mkdir -p "$work"
  export WINEPREFIX="$build/${4:-wineprefix-e2e}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  . "$src/scripts/xvfb.sh"
  start_xvfb "$2" "$3"
  "$src/scripts/wineprefix.sh" "$WINEPREFIX" x11
}
cleanup() {
  # The clipboard helper (offer_clipboard_picture) stops when told.
  [ -z "$helper" ] || { touch "$work/stop"; kill "$helper" 2>/dev/null || true; }
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  # The prefix's server and Wine's services end with the test.
  /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -z "$work" ] || import -window root "$work/failure.png" 2>/dev/null || true
  exit 1
}
[ -z "${TAVIK_PLANTED_FAILURE:-}" ] || fail "planted failure"

# Polls (0.1 s steps, at most $1 tries) until the command succeeds.
poll() {
  local tries=$1; shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}
window_shows() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
has_ended() { ! kill -0 "$1" 2>/dev/null; }
# Presses a key that may be pressed again without harm until the check holds:
# a key that reaches Wine before it has taken the display's focus is lost.
press_until() {
  local key=$1; shift
  for _ in 1 2 3; do
    xdotool key "$key"
    poll 30 "$@" && return 0
  done
  return 1
}

# Waits until a visible window's name matches; prints its id.
wait_window() {
  local id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# With the focus probe at $probe: the class of the focused control of the
# window titled $1... is $2; its text holds $2.
focus_is() { [ "$($wine "$probe" "$1" 2>/dev/null | tr -d '\r')" = "$2" ]; }
focus_text_has() { $wine "$probe" "$1" text 2>/dev/null | tr -d '\r' | grep -qF -- "$2"; }

# Starts the program on a copy of the examples data file in $work and waits
# for its frame (needs $src, $program; sets $app and $frame).
start_on_examples() {
  cp "$src/resources/examples.tavik" "$work/notes.tavik"
  $wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
  app=$!
  frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
  xdotool windowfocus --sync "$frame"
}
focus_text_is_empty() { [ -z "$($wine "$probe" "Tavik - " text 2>/dev/null | tr -d '\r\n')" ]; }
# A note shown through QuickSearch ($1 typed, the frame's title awaited with
# the note's title $2) and its editor focused. The field is emptied first: it
# may still hold the last title.
show_note_in_editor() {
  press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
  xdotool key --delay 5 End $(printf 'BackSpace %.0s' $(seq 40))
  poll 100 focus_text_is_empty || fail "the QuickSearch field did not empty"
  xdotool type --delay 5 "$1"
  xdotool key Return
  wait_window "^Tavik - $2\$" >/dev/null || fail "QuickSearch did not show $2"
  xdotool key Return
  poll 100 focus_is "Tavik - " RichEdit20W || fail "the editor of $2 did not take the focus"
}
# The note Garden shown through QuickSearch, its editor focused, and $1 typed
# at the end of its text.
type_at_end_of_garden() {
  show_note_in_editor garden Garden
  xdotool key ctrl+End
  xdotool type --delay 5 "$1"
  poll 100 focus_text_has "Tavik - " "$1" || fail "the typed text did not reach the note"
}
# Starts the clipboard helper (at $picture) and waits until its picture is
# offered (sets $helper; touching $work/stop ends it).
offer_clipboard_picture() {
  $wine "$picture" "$($wine winepath -w "$work/ready" 2>/dev/null)" "$($wine winepath -w "$work/stop" 2>/dev/null)" \
    </dev/null >"$work/helper.log" 2>&1 &
  helper=$!
  poll 200 exists "$work/ready" || fail "the helper did not put the picture on the clipboard"
}
exists() { [ -e "$1" ]; }
# The pictures of a folder under their final names (a picture is written
# under a temporary name and renamed only when whole).
pictures_in() { ls "$1" 2>/dev/null | grep -E '\.(png|jpg)$'; }
