#!/bin/bash
# Drives the real program from outside, as a user would, on a virtual display:
# opens a data file through the file dialog, picks a note with QuickSearch,
# types into the editor; a second instance started while the first runs must
# bring the first to the front and end, and one started with a data file hands
# that file over; closes with Alt+F4, checks the data file, and starts the
# program again on it to see what was typed.
# Every wait polls for the state it needs, with a bound: X and Wine may see the
# focus move in either order.
# Usage: e2e_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"
screen_probe="$build/tests/shell/screen_probe$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e 150 199

wait_exit() { poll 150 has_ended "$1"; }
# The text of the focused control of the window titled $1... is $2.
focus_text_is() { [ "$($wine "$probe" "$1" text 2>/dev/null | tr -d '\r')" = "$2" ]; }
focused_holds() { focus_is "$1" "$2" && focus_text_is "$1" "$3"; }
# Types $3 into the control of class $2 that has the focus in the window
# titled $1..., until that control holds exactly the text: a key that reaches
# Wine before it has the display's focus is lost, and the check reads the
# control that had the focus when the keys arrived.
type_until() {
  for _ in 1 2 3; do
    if focus_is "$1" "$2"; then
      xdotool key ctrl+a
      xdotool type --delay 5 "$3"
    fi
    poll 30 focused_holds "$1" "$2" "$3" && return 0
  done
  return 1
}
x_focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# open_in_editor TITLE WINDOW-NAME WHEN: QuickSearch (Ctrl+L) takes the typed
# title, Enter shows the note (the frame named WINDOW-NAME), a second Enter moves
# to the editor; WHEN ends each failure's message.
open_in_editor() {
  xdotool windowfocus --sync "$frame"
  press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus$3"
  type_until "Tavik - " Edit "$1" || fail "QuickSearch did not take the typed title$3"
  xdotool key Return
  wait_window "$2" >/dev/null || fail "QuickSearch did not show the note$3"
  xdotool key Return
  poll 100 focus_is "Tavik - " RichEdit20W || fail "the second Enter did not move to the editor$3"
}
top_is_message_box() {
  local top height
  top=$(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1; exit}')
  [ -n "$top" ] && [ "$top" != "$(printf '0x%x' "$frame")" ] || return 1
  height=$(xwininfo -id "$top" | awk '/Height:/ {print $2}')
  [ "$height" = 120 ]
}

cp "$src/resources/examples.tavik" "$work/notes.tavik"
cp "$src/resources/examples.tavik" "$work/other.tavik"
data_path=$($wine winepath -w "$work/notes.tavik" 2>/dev/null)
other_path=$($wine winepath -w "$work/other.tavik" 2>/dev/null)

# 0. A damaged data file named on the command line: the program opens no other
# file in its place (the frame's title names no note), shows the refusal in the
# message box over the bottom of the frame, and leaves the file as it was.
head -c 3000 /dev/urandom >"$work/damaged.tavik"
cp "$work/damaged.tavik" "$work/damaged.orig"
$wine "$program" "$($wine winepath -w "$work/damaged.tavik" 2>/dev/null)" </dev/null >"$work/app0.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik$') || fail "the frame did not show without a file over a damaged data file"
poll 150 top_is_message_box || fail "no message box on top of the frame"
! window_shows '^Tavik - ' || fail "another data file was opened in place of the damaged one"
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
# The system's file and print dialogs (with the printer spooler they bring)
# are loaded at the first dialog, not at every start.
maps_hold() { grep -qi "$1" "/proc/$app/maps"; }
! maps_hold comdlg32.dll || fail "the common dialogs were loaded at start"
! maps_hold winspool || fail "the printer spooler was loaded at start"
# So is WinINet, at the first translation.
! maps_hold wininet || fail "WinINet was loaded at start"
# Panes that do not show at start are made when first needed: the editor and
# the QuickSearch preview are the only rich edits, and QuickSearch the only
# edit box (the incremental search's boxes and the full-text search's field
# are not there yet).
panes_of() { $wine "$probe" "Tavik - " count "$1" 2>/dev/null | tr -d '\r'; }
[ "$(panes_of RichEdit20W)" = 2 ] || fail "rich edits at start: $(panes_of RichEdit20W), not the editor and the preview"
edits_at_start=$(panes_of Edit)
[ "$edits_at_start" = 1 ] || fail "edit boxes at start: $edits_at_start, not QuickSearch alone"

# 2. Open the data file through the file dialog.
press_until ctrl+o window_shows '^Open a data file$' || fail "the open dialog did not show"
dialog=$(wait_window '^Open a data file$') || fail "the open dialog did not show"
maps_hold comdlg32.dll || fail "the open dialog showed without the common dialogs in the program"
xdotool windowfocus --sync "$dialog"
poll 100 focus_is "Open a data file" Edit || fail "the file name field of the open dialog has no focus"
xdotool type --delay 5 "$data_path"
xdotool key Return
wait_window '^Tavik - Books to read$' >/dev/null || fail "the data file did not open"

# 3. Pick a note with QuickSearch (it completes titles in lower case); the
# second Enter moves to the editor.
open_in_editor garden '^Tavik - Garden$' ""
xdotool type --delay 5 "Typed by the end-to-end test. "
poll 100 focus_text_has "Tavik - " "Typed by the end-to-end test. " || fail "the typed text did not reach the note"
# Ctrl+F opens the search inside the note, its two boxes made now; Escape
# goes back to the editor.
press_until ctrl+f focus_is "Tavik - " Edit || fail "Ctrl+F did not open the search in the note"
[ "$(panes_of Edit)" = $((edits_at_start + 2)) ] || fail "the search in the note did not make its two boxes"
xdotool key Escape
poll 100 focus_is "Tavik - " RichEdit20W || fail "Escape did not take the search in the note back to the editor"

# 3b. A new note (Ctrl+N acts when the keys are released), titled in the
# new-note dialog, takes a note's title, a web address and a tag as they are
# typed. The dialog has no title: it is found by its place and size.
xdotool key ctrl+n
note_dialog() {
  local rect
  rect=$($wine "$screen_probe" "Tavik - " rect '#32770' 2>/dev/null | tr -d '\r') && [ -n "$rect" ] && x_window_at "$rect"
}
poll 100 note_dialog >/dev/null || fail "Ctrl+N did not open the new-note dialog"
xdotool windowfocus --sync "$(note_dialog)"
xdotool type --delay 5 "Weekend plans"
xdotool key Return
wait_window '^Tavik - Weekend plans$' >/dev/null || fail "Ctrl+N did not make a new note"
poll 100 focus_is "Tavik - " RichEdit20W || fail "the new note's editor has no focus"
xdotool type --delay 5 "See Garden and www.example.org @todo now"
poll 100 focus_text_has "Tavik - " "See Garden and www.example.org @todo now" || fail "the typed text did not reach the new note"

# 3c. "@" after a blank offers the tags; a new tag chosen with Enter is marked
# and stored. Enter in a list item continues the list.
xdotool type --delay 5 " @err"
poll 100 focus_text_has "Tavik - " "now @err" || fail "the typed tag did not reach the note"
import -window root "$work/tags-list.png" 2>/dev/null || true
xdotool type --delay 5 "and"
xdotool key Return
xdotool key Return
xdotool type --delay 5 -- "- milk"
xdotool key Return
xdotool type --delay 5 "eggs"
poll 100 focus_text_has "Tavik - " "- eggs" || fail "Enter in a list item did not continue the list"
import -window root "$work/list.png" 2>/dev/null || true

# 4. A second instance brings the first to the front and ends, whether or not
# Wine noticed that the focus had left the frame.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
xdotool windowfocus "$root" 2>/dev/null || true
poll 50 eval '! x_focus_is "$frame"' || fail "the focus did not leave the frame"
$wine "$program" </dev/null >"$work/second.log" 2>&1 &
second=$!
wait_exit "$second" || fail "the second instance did not end"
kill -0 "$app" 2>/dev/null || fail "the first instance ended"
poll 100 x_focus_is "$frame" || fail "the first instance was not brought to the front"

# 5. A second instance started with a data file hands it over: the first one
# stores the note it shows and opens that file.
$wine "$program" "$other_path" </dev/null >"$work/third.log" 2>&1 &
third=$!
wait_exit "$third" || fail "the instance started with a data file did not end"
wait_window '^Tavik - Books to read$' >/dev/null || fail "the handed-over data file was not opened"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "Typed by the end-to-end test." \
  || fail "the note was not stored before the handed-over file was opened"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Weekend_plans "See Garden and www.example.org @todo now" \
  || fail "the typed new note was not stored with its link block"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Weekend_plans $'now @errand\r\n- milk\r\n- eggs' \
  || fail "the chosen tag and the list were not stored"

# 6. Close as a user would; everything must be saved.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
wait_exit "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/other.tavik" Books_to_read "" \
  || fail "the handed-over data file is not valid after the close"

# 7. Started again on the first data file, the program shows what was typed
# there: QuickSearch finds the new note, whose text is in the editor.
$wine "$program" "$data_path" </dev/null >"$work/again.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show when started again"
open_in_editor "weekend plans" '^Tavik - Weekend plans$' " after the new start"
poll 100 focus_text_has "Tavik - " "See Garden and www.example.org @todo now" \
  || fail "the typed text was not shown after the new start"
xdotool key alt+F4
wait_exit "$app" || fail "the program did not close on Alt+F4 after the new start"
app=""
echo "1 passed, 0 failed"
