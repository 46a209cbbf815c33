#!/bin/bash
# The editor of the running program as a user meets it: what it shows is what
# the data file holds. A line typed, saved with Ctrl+S and taken back with
# Ctrl+Z is gone from the file after another note is shown and the program
# closed with Alt+F4; the keys typed right after F5 (Refresh) all arrive.
# Screenshots of each step stay in the work folder.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_editor_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-editor 150 199

garden="Seeds and tools."
python3 - "$work/notes.tavik" "$garden" <<'PY'
import sys
path, garden = sys.argv[1:3]
text = ("Tavik 10\r\n"
        "\u00a4Garden\r\n" + garden + "\r\n{{\r\n}}\r\n"
        "\u00a4Plans\r\nNothing planned.\r\n{{\r\n}}\r\n")
open(path, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY
# The body of a note as the data file holds it.
stored_body() {
  python3 - "$work/notes.tavik" "$1" <<'PY'
import sys
path, title = sys.argv[1:3]
text = open(path, "rb").read().decode("utf-16")
head = "\u00a4" + title + "\r\n"
start = text.index(head) + len(head)
print(text[start:text.index("\r\n{{", start)])
PY
}
# The editor's text as the probe reads it (paragraph ends as line feeds).
editor_text() { $wine "$probe" "Tavik - " text 2>/dev/null | tr -d '\r'; }
editor_text_is() { [ "$(editor_text)" = "$1" ]; }
shot() { import -window root "$work/$1.png" 2>/dev/null || true; }
# A note shown through QuickSearch ($1 typed, the frame's title awaited with
# the note's title $2), its editor focused: Enter shows the note, or moves to
# the editor when it is shown already; no Enter ever reaches the editor.
open_note() {
  press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
  xdotool key --delay 5 End $(printf 'BackSpace %.0s' $(seq 20))
  poll 100 focus_text_is_empty || fail "the QuickSearch field did not empty"
  xdotool type --delay 5 "$1"
  press_until Return focus_is "Tavik - " RichEdit20W || fail "the editor of $2 did not take the focus"
  wait_window "^Tavik - $2\$" >/dev/null || fail "QuickSearch did not show $2"
}

$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

# 1. Words typed and saved, then undone: the editor shows the note as it was,
# and so does the store.
open_note garden Garden
xdotool key ctrl+End
xdotool type --delay 5 " Undone words."
poll 100 editor_text_is "$garden Undone words." || fail "the typed words did not reach the note: [$(editor_text)]"
xdotool key ctrl+s
shot typed-and-saved
xdotool key ctrl+z
poll 100 editor_text_is "$garden" || fail "Ctrl+Z did not take the words back: $($wine "$probe" "Tavik - " text)"
shot undone
# Another note and back: the store holds the note as the editor showed it.
open_note plans Plans
open_note garden Garden
poll 100 editor_text_is "$garden" || fail "the undone words came back from the store: [$(editor_text)]"

# 2. F5 reloads the notes; the keys typed right after it all arrive.
xdotool key F5
poll 100 focus_is "Tavik - " RichEdit20W || fail "the editor lost the focus after F5"
sleep 1
xdotool type --delay 20 "zqafter"
poll 100 focus_text_has "Tavik - " "after" || fail "nothing typed after F5 arrived"
shown=$($wine "$probe" "Tavik - " text | tr -d '\r')
shot after-refresh
case "$shown" in *zqafter*) ;; *) fail "a key typed right after F5 was lost: $shown" ;; esac

# 3. Another note shown, then Alt+F4: the file holds what the editor showed.
open_note plans Plans
xdotool key alt+F4
poll 150 has_ended "$app" || fail "Alt+F4 did not close the program"
app=""
body=$(stored_body Garden)
[ "$body" = "$shown" ] || fail "the data file holds \"$body\", the editor showed \"$shown\""
echo "PASS"
