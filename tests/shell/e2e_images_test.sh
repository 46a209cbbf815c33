#!/bin/bash
# A picture pasted into a note from outside, as a user would: a helper puts a
# picture on the clipboard, Ctrl+V in the note's editor opens the paste screen
# over it, a typed name and Enter save it into the data folder's "images"
# folder and link it; after Alt+F4 the data file's note holds the link and its
# link block the picture's path.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_images_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"
screens="$build/tests/shell/screen_probe$exe"
picture="$build/tests/shell/clipboard_picture$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e-images 150 199

picture_saved() { pictures_in "$work/images" | grep -q '^Garden_20'; }
screen_up() { [ -n "$($wine "$screens" "Tavik - " rect winGuide_ 2>/dev/null | tr -d '\r')" ]; }

start_on_examples
type_at_end_of_garden "Photo: "

# The picture on the clipboard, then Ctrl+V: the paste screen, a name, Enter.
offer_clipboard_picture
press_until ctrl+v screen_up || fail "Ctrl+V did not open the paste screen"
poll 100 focus_is "Tavik - " Edit || fail "the paste screen's name field did not take the focus"
xdotool type --delay 5 "Garden"
poll 100 focus_text_has "Tavik - " "Garden" || fail "the name did not reach the name field"
xdotool key Return
poll 200 picture_saved || fail "the paste screen did not save the picture into the images folder"
touch "$work/stop"
poll 100 focus_text_has "Tavik - " "Photo: [Garden_20" || fail "the picture's link did not reach the note"
[ "$(pictures_in "$work/images" | wc -l)" = 1 ] || fail "the picture was saved more than once: $(ls "$work/images")"
name=$(pictures_in "$work/images")

# Close; the note holds the link, its link block the picture's path.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "Photo: [${name%.*}]" \
  || fail "the note does not hold the picture's link"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "rel:\\images\\$name" \
  || fail "the link block does not hold the picture's path"
echo "1 passed, 0 failed"
