#!/bin/bash
# Drives the real program's dialogs from outside, as a user would, on a
# virtual display: creates a note through the new-note dialog by typing its
# title, renames it through the rename dialog, stores it as a favourite on the
# Favourites screen and opens it from there again; closes with Alt+F4 and
# checks that the data file holds the note under its new title.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_dialogs_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/screen_probe$exe"
focus_probe="$build/tests/shell/focus_probe$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e-dialogs 200 249 wineprefix-e2e-dialogs

# The X window of the program's visible window of a class (a note dialog is
# "#32770", the dialog host "winGuide_"); empty while there is none.
x_window_of_class() {
  local rect
  rect=$($wine "$probe" "Tavik - " rect "$1" 2>/dev/null | tr -d '\r') || return 1
  [ -n "$rect" ] && x_window_at "$rect"
}
class_shows() { x_window_of_class "$1" >/dev/null; }
# The program's keyboard focus has left its text panes (a screen has it).
# Presses $1 on the screen that has the focus until the check holds; never
# while the focus is back in a text pane, where the key would be typed. A
# press the screen took may take long to show on a loaded machine (the screen
# fades out first): the check is tried again before any new press.
press_on_screen() {
  local key=$1; shift
  for _ in 1 2 3; do
    poll 100 screen_focused_or "$@" || return 1
    "$@" && return 0
    xdotool key "$key"
    poll 50 "$@" && return 0
  done
  return 1
}
screen_focused_or() { screen_has_focus || "$@"; }
# Presses $1 in the frame until the screen host shows; never again once a
# screen or its backdrop is up (a second Ctrl+0 would close the favourites).
press_until_screen() {
  for _ in 1 2 3; do
    xdotool key "$1"
    poll 50 class_shows winGuide_ && return 0
    class_gone winBuffer_ || { poll 100 class_shows winGuide_; return; }
  done
  return 1
}
screen_has_focus() {
  local focused
  focused=$($wine "$focus_probe" "Tavik - " 2>/dev/null | tr -d '\r')
  [ -n "$focused" ] && [ "$focused" != RichEdit20W ] && [ "$focused" != Edit ] && [ "$focused" != none ]
}
class_gone() { ! $wine "$probe" "Tavik - " rect "$1" >/dev/null 2>&1; }
# What the program shows, for a failure's message.
program_state() {
  local shown=""
  class_shows winGuide_ && shown="$shown screen"
  class_gone winBuffer_ || shown="$shown backdrop"
  echo "focus: $($wine "$focus_probe" "Tavik - " 2>/dev/null | tr -d '\r'); shown:${shown:- frame only}"
}
# Types a title into the note dialog that shows and presses Enter.
answer_note_dialog() {
  local dialog
  dialog=$(x_window_of_class '#32770') || fail "no note dialog"
  xdotool windowfocus --sync "$dialog"
  xdotool key ctrl+a 2>/dev/null || true
  xdotool type --delay 5 "$1"
  xdotool key Return
  poll 100 class_gone '#32770' || fail "the note dialog did not close"
}

cp "$src/resources/examples.tavik" "$work/notes.tavik"
$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
poll 200 window_shows '^Tavik - Books to read$' || fail "the frame did not show the data file"
frame=$(xdotool search --onlyvisible --name '^Tavik - Books to read$' | head -1)
xdotool windowfocus --sync "$frame"

# 1. A new note titled in the new-note dialog.
press_until ctrl+n class_shows '#32770' || fail "Ctrl+N did not open the new-note dialog"
answer_note_dialog "Shopping list"
poll 100 window_shows '^Tavik - Shopping list$' || fail "the new note was not shown"
xdotool windowfocus --sync "$frame"
xdotool type --delay 5 "milk and bread"

# 2. Renamed in the rename dialog (its field starts with the old title, all selected).
press_until F2 class_shows '#32770' || fail "F2 did not open the rename dialog"
answer_note_dialog "Groceries"
poll 100 window_shows '^Tavik - Groceries$' || fail "the renamed note was not shown"

# 3. Stored as favourite 1 on the Favourites screen, then opened from there.
xdotool windowfocus --sync "$frame"
press_until_screen ctrl+0 || fail "Ctrl+0 did not open the favourites"
host=$(x_window_of_class winGuide_)
xdotool windowfocus --sync "$host"
# A key that reached Wine before the screen has the focus would go into the note.
press_on_screen 1 class_gone winBuffer_ || fail "the favourites screen did not close on 1 ($(program_state))"
xdotool windowfocus --sync "$frame"
# Another note, picked in the note list with the mouse (its first row).
for _ in 1 2 3; do
  xdotool mousemove --window "$frame" 60 160 click 1
  poll 30 window_shows '^Tavik - Books to read$' && break
done
window_shows '^Tavik - Books to read$' || fail "a click in the note list did not show another note"
press_until_screen ctrl+0 || fail "Ctrl+0 did not open the favourites again"
host=$(x_window_of_class winGuide_)
xdotool windowfocus --sync "$host"
press_on_screen 1 window_shows '^Tavik - Groceries$' || fail "the favourite did not open its note ($(program_state))"

# 4. Closed as a user would: the note is stored under its new title.
poll 300 class_gone winBuffer_ || fail "the favourites screen did not close after opening the note ($(program_state))"
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Groceries "milk and bread" \
  || fail "the data file does not hold the renamed note"
grep -q "S.h.o.p.p.i.n.g._.l.i.s.t" "$work/notes.tavik" && fail "the old title is still in the data file"
echo "1 passed, 0 failed"
