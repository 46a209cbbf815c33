#!/bin/bash
# Drives full-text search from outside, as a user would, on a virtual display:
# a data file of 10,000 notes is searched with two keywords, the third hit of
# the result panel is opened, a word of it is replaced through incremental
# search and replace, the program is closed with Alt+F4, and the data file
# must hold the replacement in that note and nowhere else.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_search_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
focus_probe="$build/tests/shell/focus_probe$exe"
screen_probe="$build/tests/shell/screen_probe$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e-search 300 349 wineprefix-e2e-search

frame_id() { xdotool search --onlyvisible --name '^Tavik - ' 2>/dev/null | head -1; }
focus_is() { [ "$($wine "$focus_probe" "Tavik - " 2>/dev/null | tr -d '\r')" = "$1" ]; }
focus_text_is() { [ "$($wine "$focus_probe" "Tavik - " text 2>/dev/null | tr -d '\r')" = "$1" ]; }
focused_holds() { focus_is "$1" && focus_text_is "$2"; }
# A visible rich edit of the frame (the preview pane or the editor) starts with the text.
rich_text_starts() { $wine "$screen_probe" "Tavik - " texts RichEdit20W 2>/dev/null | tr -d '\r' | grep -q "^$1"; }
# Types into the focused control of class $1 until it holds exactly $2.
type_until() {
  for _ in 1 2 3; do
    if focus_is "$1"; then
      xdotool key ctrl+a
      xdotool type --delay 5 "$2"
    fi
    poll 30 focused_holds "$1" "$2" && return 0
  done
  return 1
}

# The data file: "Note_00000" to "Note_09999" in title order; five notes hold
# both keywords, each a different number of times, so that they rank apart.
python3 - "$work/notes.tavik" <<'PY'
import sys
words = ["river", "stone", "market", "window", "letter", "garden", "autumn", "copper", "field", "candle"]
hits = {1234: 10, 4321: 8, 6789: 6, 8000: 4, 9100: 2}
parts = ["Tavik 10\r\n"]
for i in range(10000):
    lines = [" ".join(words[(i + k * 3 + w) % 10] for w in range(12)) for k in range(6)]
    for k in range(hits.get(i, 0)):
        lines.insert(k % len(lines), "the lighthouse keeper spread marmalade")
    parts.append("\u00a4Note_%05d\r\n%s\r\n{{\r\n}}\r\n" % (i, "\r\n".join(lines)))
open(sys.argv[1], "wb").write(b"\xff\xfe" + "".join(parts).encode("utf-16-le"))
PY
data_path=$($wine winepath -w "$work/notes.tavik" 2>/dev/null)

$wine "$program" "$data_path" </dev/null >"$work/app.log" 2>&1 &
app=$!
poll 300 window_shows '^Tavik - Note 00000$' || fail "the data file did not open"
frame=$(frame_id)
xdotool windowfocus --sync "$frame"

# 1. Two keywords typed into QuickSearch match no title: Enter searches the
# whole text, and the result panel previews the best hit when it is done.
press_until ctrl+l focus_is Edit || fail "QuickSearch did not take the focus"
type_until Edit "lighthouse marmalade" || fail "QuickSearch did not take the keywords"
xdotool key Return
poll 300 focus_text_is "lighthouse marmalade " || fail "full-text search did not start with the keywords"
poll 300 rich_text_starts "Preview: Note 01234" || fail "the best hit was not previewed"

# 2. Down twice selects the third hit (its preview shows); Enter opens it in the editor.
press_until Down rich_text_starts "Preview: Note 04321" || fail "Down did not select the second hit"
press_until Down rich_text_starts "Preview: Note 06789" || fail "Down did not select the third hit"
xdotool key Return
poll 100 window_shows '^Tavik - Note 06789$' || fail "Enter did not open the third hit"
poll 100 focus_is RichEdit20W || fail "the opened note's editor has no focus"

# 3. Ctrl+R: the first "lighthouse" becomes "beacon" in one replacement.
press_until ctrl+r focus_is Edit || fail "Ctrl+R did not open incremental search"
type_until Edit "lighthouse" || fail "the search box did not take the word"
press_until Tab focused_holds Edit "" || fail "Tab did not move to the Replace box"
type_until Edit "beacon" || fail "the Replace box did not take the word"
xdotool key Return
press_until Escape focus_is RichEdit20W || fail "Escape did not return to the editor"
poll 100 eval '$wine "$focus_probe" "Tavik - " text 2>/dev/null | grep -q "the beacon keeper"' \
  || fail "the word was not replaced in the editor"

# 4. Alt+F4 stores the note; the data file holds the replacement in that note only.
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
python3 "$src/tests/shell/check_datafile.py" "$work/notes.tavik" Note_06789 "the beacon keeper spread marmalade" \
  || fail "the replacement was not stored"
python3 - "$work/notes.tavik" <<'PY' || fail "the data file does not hold exactly one replacement"
import sys
text = open(sys.argv[1], "rb").read()[2:].decode("utf-16-le")
notes = {n.partition("\r\n")[0]: n for n in text.split("\u00a4")[1:]}
assert len(notes) == 10000, len(notes)
assert text.count("beacon") == 1, text.count("beacon")
assert notes["Note_06789"].count("lighthouse") == 5
assert notes["Note_01234"].count("lighthouse") == 10
PY
echo "1 passed, 0 failed"
