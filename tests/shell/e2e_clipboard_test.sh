#!/bin/bash
# Text with a hyperlink copied from one note and pasted into another, as a
# user would: Ctrl+C in note Alpha, Ctrl+V in note Beta, Alt+F4; the data
# file's Beta then holds the text and its link block the link's target. Then
# a file's path pasted into Beta opens the hyperlink dialog on a link to the
# file, which is copied into the data folder's "files" folder.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_clipboard_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"
screen_probe="$build/tests/shell/screen_probe$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-clipboard 150 199

# Two notes; Alpha links "Site" to a web page.
python3 - "$work/notes.tavik" <<'PY'
import sys
text = ("Tavik 10\r\n"
        "\u00a4Alpha\r\nVisit [Site] today.\r\nSecond line.\r\n{{\r\n[Site:https://example.org/a]\r\n}}\r\n"
        "\u00a4Beta\r\nBeta text.\r\n{{\r\n}}\r\n")
open(sys.argv[1], "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY

$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

# Alpha's first line, link and all, onto the clipboard.
show_note_in_editor alpha Alpha
# (the editor opens with an empty line above the text)
xdotool key ctrl+Home Down shift+End
xdotool key ctrl+c

# At the end of Beta's text.
show_note_in_editor beta Beta
xdotool key ctrl+End
press_until ctrl+v focus_text_has "Tavik - " "Beta text.Visit [Site] today." \
  || fail "the copied text did not reach Beta"

# A file's path as plain text on the clipboard, pasted on a line of its own.
dialog_shows() {
  local rect
  rect=$($wine "$screen_probe" "Tavik - " rect '#32770' 2>/dev/null | tr -d '\r') || return 1
  [ -n "$rect" ] && x_window_at "$rect"
}
dialog_gone() { ! dialog_shows >/dev/null; }
printf 'quarterly figures' >"$work/report.txt"
path=$($wine winepath -w "$work/report.txt" 2>/dev/null | tr -d '\r')
xdotool key ctrl+End Return
xdotool type --delay 5 "$path"
poll 100 focus_text_has "Tavik - " "$path" || fail "the path was not typed"
xdotool key shift+Home ctrl+shift+c End Return
press_until ctrl+v dialog_shows || fail "the pasted path did not open the hyperlink dialog"
dialog=$(dialog_shows)
import -window root "$work/file-link-dialog.png" 2>/dev/null || true
xdotool windowfocus --sync "$dialog"
xdotool key Return
poll 100 dialog_gone || fail "the hyperlink dialog did not close"
poll 100 focus_text_has "Tavik - " "[report]" || fail "the file's link did not reach the note"
[ "$(cat "$work/files/report.txt" 2>/dev/null)" = "quarterly figures" ] || fail "the file was not copied into the data folder"

# Close; Beta holds the text, its link block the target.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Beta "Beta text.Visit [Site] today." \
  || fail "Beta does not hold the pasted text"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Beta "[Site:https://example.org/a]" \
  || fail "Beta's link block does not hold the link's target"
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Beta "[report:rel:\\files\\report.txt]" \
  || fail "Beta's link block does not hold the file's link"
echo "1 passed, 0 failed"
