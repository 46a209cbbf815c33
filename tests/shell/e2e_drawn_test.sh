#!/bin/bash
# The note shown is drawn on the screen, not only held by the editor: after
# the program starts with a data file, after a click on another note in the
# list, and after a second start hands another data file over. A photograph
# of the editor's first lines must hold the dark pixels of text (a caret
# alone is a few dozen).
# Usage: e2e_drawn_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-drawn 150 199

# The editor's first lines, in the frame's own coordinates (the editor lies
# right of the note list, under the ribbon and QuickSearch).
editor_band="500x60+280+128"
min_ink=200
ink_in_editor() {
  import -window "$frame" "$work/frame.png" 2>/dev/null || return 1
  convert "$work/frame.png" -crop "$editor_band" +repage -colorspace gray -threshold 50% -negate \
    -format "%[fx:int(mean*w*h)]" info:
}
editor_shows_text() { [ "$(ink_in_editor || echo 0)" -ge "$min_ink" ]; }
text_drawn_or_fail() {
  poll 50 editor_shows_text || { cp "$work/frame.png" "$work/$1.png"; fail "no text drawn in the editor $1"; }
}

cp "$src/resources/examples.tavik" "$work/other.tavik"
start_on_examples
wait_window '^Tavik - Books to read$' >/dev/null || fail "the first note was not shown"
text_drawn_or_fail "after the start"

# The list's second note, Garden (the list's rows are 13 pixels high).
xdotool mousemove --window "$frame" 60 174 click 1
wait_window '^Tavik - Garden$' >/dev/null || fail "a click in the list did not show Garden"
text_drawn_or_fail "after a click in the list"

$wine "$program" "$($wine winepath -w "$work/other.tavik" 2>/dev/null)" </dev/null >"$work/second.log" 2>&1 &
second=$!
poll 150 has_ended "$second" || fail "the instance started with a data file did not end"
wait_window '^Tavik - Books to read$' >/dev/null || fail "the handed-over data file was not opened"
text_drawn_or_fail "after the hand-over"
echo "1 passed, 0 failed"
