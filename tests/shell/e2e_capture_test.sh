#!/bin/bash
# A web page captured from the project's own test browser in the running
# program, as a user would: Shift+PrintScreen over the browser, then
# QuickSearch's Alt+C and a click on the browser. Each capture shows a new
# note with the page's text from the local web server and saves the page's
# picture into the images folder; QuickSearch's Alt+S opens the paste screen
# with the screen's picture; after Alt+F4 the data file holds both notes.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_capture_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"
screens="$build/tests/shell/screen_probe$exe"

. "$src/tests/shell/e2e_common.sh"
. "$src/tests/search/capture/test_browser.sh"
start_e2e_session e2e-capture 350 399

# The frame shows a captured note other than $1 (its title goes to stdout).
shows_new_capture() {
  local title
  # The title bar shows the title's blanks where the note name has "_".
  title=$(xdotool getwindowname "$frame" 2>/dev/null | sed -n 's/^Tavik - \(www[ _][0-9]*[ _]Bean[ _]guide\)$/\1/p' | tr ' ' _)
  [ -n "$title" ] && [ "$title" != "$1" ] && echo "$title" >"$work/shown"
}
picture_saved() { pictures_in "$work/images" | grep -q .; }
# The browser holds Wine's foreground after a capture: a click on the frame's
# status line brings the program forward.
frame_forward() {
  xdotool windowfocus --sync "$frame"
  xdotool mousemove --window "$frame" 200 $((HEIGHT - 12)) click 1
}

start_capture_server

cp "$src/resources/examples.tavik" "$work/notes.tavik"
$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
eval "$(xdotool getwindowgeometry --shell "$frame")"
frame_right=$((X + WIDTH)); frame_bottom=$((Y + HEIGHT))

# The browser where the frame leaves room for a click (or beside it).
left=$((frame_right < 580 ? frame_right + 10 : 570)); top=$((frame_bottom < 400 ? frame_bottom + 10 : 390))
start_test_browser 1500 $left $top
browser_x=$(wait_window '^Bean guide - Mozilla Firefox$') || fail "the browser's window is not visible"

# 1. Shift+PrintScreen while the browser is in front.
xdotool windowraise "$browser_x"
xdotool windowfocus --sync "$browser_x"
xdotool key shift+Print
poll 300 shows_new_capture "" || fail "Shift+PrintScreen did not show the captured note"
first=$(cat "$work/shown")
poll 100 picture_saved || fail "the page's picture was not saved into the images folder"

# 2. QuickSearch's Alt+C, then a click on the browser's page.
for _ in 1 2 3; do
  frame_forward
  press_until ctrl+l focus_is "Tavik - " Edit && break
done
focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
# Alt goes down and up as keys of their own (a combined press came too fast here).
xdotool keydown alt; xdotool key c; xdotool keyup alt
click_x=$((left + 650)); click_y=$((top + 450))
[ "$click_x" -ge "$frame_right" ] || [ "$click_y" -ge "$frame_bottom" ] || fail "no place of the browser to click"
# The click counts once the program has armed its click mode (after Alt is
# up); a click before that only reaches the browser, which ignores it.
xdotool mousemove "$click_x" "$click_y"
for _ in 1 2 3 4; do
  xdotool click 1
  poll 10 shows_new_capture "$first" && break
done
poll 300 shows_new_capture "$first" || fail "the click did not capture the browser's page"
second=$(cat "$work/shown")
# The page's picture (the second capture replaced the first under the same
# name): the browser's tool bar and its 1,500 page rows, nothing of the frame
# that lay over the browser while the click was awaited.
page_picture=$(pictures_in "$work/images")
[ "$(identify -format "%w %h" "$work/images/$page_picture")" = "681 1530" ] \
  || fail "the page's picture is $(identify -format "%w %h" "$work/images/$page_picture"), not 681 x 1530"

# 3. QuickSearch's Alt+S: the screen's picture in the paste screen, saved
# under a name typed there, as large as the virtual display.
screen_up() { [ -n "$($wine "$screens" "Tavik - " rect winGuide_ 2>/dev/null | tr -d '\r')" ]; }
shot_saved() { pictures_in "$work/images" | grep -q '^Whole screen'; }
for _ in 1 2 3; do
  frame_forward
  press_until ctrl+l focus_is "Tavik - " Edit && break
done
xdotool keydown alt; xdotool key s; xdotool keyup alt
poll 100 screen_up || fail "Alt+S did not open the paste screen"
poll 100 focus_is "Tavik - " Edit || fail "the paste screen's name field did not take the focus"
xdotool type --delay 5 "Whole screen"
poll 100 focus_text_has "Tavik - " "Whole screen" || fail "the name did not reach the name field"
xdotool key Return
poll 200 shot_saved || fail "the paste screen did not save the screenshot"
shot=$(pictures_in "$work/images" | grep '^Whole screen')
[ "$(identify -format "%w %h" "$work/images/$shot")" = "$(xdpyinfo | awk '/dimensions:/ {sub("x", " ", $2); print $2}')" ] \
  || fail "the screenshot is not the whole display"

# 4. Closed: the data file holds both captures with the page's text.
frame_forward
press_until alt+F4 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
for title in "$first" "$second"; do
  python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" "$title" "### Growing beans" \
    || fail "the data file does not hold $title with the page's text"
done
echo "1 passed, 0 failed"
