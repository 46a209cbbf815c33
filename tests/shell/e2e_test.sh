#!/bin/bash
# Drives the real program from outside, as a user would, on a virtual display:
# opens a data file through the file dialog, picks a note with QuickSearch,
# types into the editor, closes with Alt+F4, and checks the data file. Then a
# second instance started while the first runs must bring the first to the
# front and end.
# Usage: e2e_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
wine=/usr/lib/wine/wine64
program="$build/shell/tavik.exe.so"
work="$build/e2e"
rm -rf "$work"; mkdir -p "$work"

xvfb_pid=""; app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; import -window root "$work/failure.png" 2>/dev/null || true; exit 1; }

. "$src/scripts/xvfb.sh"
start_xvfb 150 199

"$src/scripts/wineprefix.sh" "$build/wineprefix-e2e" x11
export WINEPREFIX="$build/wineprefix-e2e" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Waits until a visible window's name matches; prints its id.
wait_window() {
  local pattern=$1 id=""
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
wait_exit() {
  for _ in $(seq 150); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  return 1
}

cp "$src/resources/examples.tavik" "$work/notes.tavik"
data_path=$($wine winepath -w "$work/notes.tavik" 2>/dev/null)

# 0. A damaged data file named on the command line: the program opens another
# one, shows the refusal in the message box over the bottom of the frame (still
# on top after the editor took the focus), and leaves the file as it was.
head -c 3000 /dev/urandom >"$work/damaged.tavik"
cp "$work/damaged.tavik" "$work/damaged.orig"
$wine "$program" "$($wine winepath -w "$work/damaged.tavik" 2>/dev/null)" </dev/null >"$work/app0.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show over a damaged data file"
sleep 1.5
top=$(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1; exit}')
box_height=$(xwininfo -id "$top" | awk '/Height:/ {print $2}')
[ "$top" != "$(printf '0x%x' "$frame")" ] || fail "the message box is not above the frame"
[ "$box_height" = 120 ] || fail "no message box on top (top window $top is $box_height high)"
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
wait_exit "$app" || fail "the program did not close with the message box up"
app=""
cmp -s "$work/damaged.tavik" "$work/damaged.orig" || fail "the damaged data file was changed"

# 1. Start without a data file: the program opens its default one.
$wine "$program" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

# 2. Open the data file through the file dialog.
xdotool key ctrl+o
dialog=$(wait_window '^Open a data file$') || fail "the open dialog did not show"
xdotool windowfocus --sync "$dialog"
sleep 0.5
xdotool type --delay 5 "$data_path"
xdotool key Return
wait_window '^Tavik - Books to read$' >/dev/null || fail "the data file did not open"

# 3. Pick a note with QuickSearch; the second Enter moves to the editor.
xdotool windowfocus --sync "$frame"
xdotool key ctrl+q
xdotool type --delay 5 "Garden"
xdotool key Return
wait_window '^Tavik - Garden$' >/dev/null || fail "QuickSearch did not show the note"
xdotool key Return
sleep 0.3
xdotool type --delay 5 "Typed by the end-to-end test. "

# 4. A second instance brings the first to the front and ends.
# The focus goes elsewhere first, so that only the second instance can bring it back.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
xdotool windowfocus "$root" 2>/dev/null || true
[ "$(xdotool getwindowfocus)" != "$frame" ] || fail "the focus did not leave the frame"
$wine "$program" </dev/null >"$work/second.log" 2>&1 &
second=$!
wait_exit "$second" || fail "the second instance did not end"
kill -0 "$app" 2>/dev/null || fail "the first instance ended"
[ "$(xdotool getwindowfocus)" = "$frame" ] || fail "the first instance was not brought to the front"

# 5. Close as a user would; everything must be saved.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
wait_exit "$app" || fail "the program did not close on Alt+F4"
app=""

python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "Typed by the end-to-end test." \
  || fail "the data file is not as expected"
echo "1 passed, 0 failed"
