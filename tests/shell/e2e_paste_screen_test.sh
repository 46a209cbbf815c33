#!/bin/bash
# A clipboard picture pasted into a note through the paste screen, as a user
# would: a helper puts a 64 x 48 picture on the clipboard, the paste screen
# opens over the note, a dragged rectangle crops it, "Rotate 90" turns it,
# the large view comes and goes, a typed name and Enter save it into the data folder's "images" folder and
# link it at the caret; after Alt+F4 the data file's note holds the link and
# the saved picture is the cropped, turned part (20 x 40).
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_paste_screen_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"
screens="$build/tests/shell/screen_probe$exe"
picture="$build/tests/shell/clipboard_picture$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e-paste-screen 200 249

picture_saved() { pictures_in "$work/images" | grep -q '^Sea view'; }
screen_rect() { $wine "$screens" "Tavik - " rect winGuide_ 2>/dev/null | tr -d '\r'; }
screen_up() { [ -n "$(screen_rect)" ]; }

start_on_examples
type_at_end_of_garden "View: "

# The picture on the clipboard; the paste screen over it.
offer_clipboard_picture
$wine "$screens" "Tavik - " show 17
poll 100 screen_up || fail "the paste screen did not show"
poll 100 focus_is "Tavik - " Edit || fail "the name field did not take the focus"
read -r left top _ _ <<<"$(screen_rect)"

# 64 x 48 shows at 400 % from (222, 99) of the screen: a drag over preview
# pixels 40..200 x 40..120 is the picture's 10..50 x 10..30.
xdotool mousemove $((left + 262)) $((top + 139)) mousedown 1
xdotool mousemove $((left + 340)) $((top + 180))
xdotool mousemove $((left + 422)) $((top + 219)) mouseup 1
xdotool mousemove $((left + 80)) $((top + 195)) click 1   # Crop image
xdotool mousemove $((left + 80)) $((top + 235)) click 1   # Rotate 90
# The large view: the screen steps aside (one pixel) until a key, then the
# name field has the focus again.
screen_width_is() { [ "$(screen_rect | cut -d' ' -f3)" = "$1" ]; }
xdotool mousemove $((left + 80)) $((top + 155)) click 1   # Preview
poll 100 screen_width_is 1 || fail "the large view did not start"
xdotool key space
poll 100 screen_width_is 550 || fail "the large view did not end on a key"
poll 100 focus_is "Tavik - " Edit || fail "the name field did not get the focus back"
xdotool type --delay 5 "Sea view"
poll 100 focus_text_has "Tavik - " "Sea view" || fail "the name did not reach the name field"
xdotool key Return
poll 200 picture_saved || fail "the paste screen did not save the picture"
touch "$work/stop"
poll 100 focus_text_has "Tavik - " "View: [Sea view" || fail "the picture's link did not reach the note"
[ "$(pictures_in "$work/images" | wc -l)" = 1 ] || fail "more than one picture was saved: $(ls "$work/images")"
name=$(pictures_in "$work/images")
size=$(identify -format "%w %h" "$work/images/$name")
[ "$size" = "20 40" ] || fail "the saved picture is $size, not the cropped and turned 20 x 40"

# Close; the note holds the link, its link block the picture's path.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "View: [${name%.*}]" \
  || fail "the note does not hold the picture's link"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Garden "rel:\\images\\$name" \
  || fail "the link block does not hold the picture's path"
echo "1 passed, 0 failed"
