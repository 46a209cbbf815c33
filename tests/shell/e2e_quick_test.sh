#!/bin/bash
# QuickSearch and link previews in the running program, as a user meets them:
# a title typed into QuickSearch completes, Backspace takes one typed
# character back and completes again; the pointer resting on a link to a
# text file previews the file, and then resting on a link to a missing file
# leaves no preview of the first one beside the message; after Alt+Left in
# QuickSearch the next title typed goes into the box (screenshots of each
# step in the work folder).
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_quick_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-quick 350 399

printf 'Seeds to buy in spring\r\nbeans, peas\r\n' >"$work/seeds.txt"
rm -f "$work/gone.txt"
seeds=$($wine winepath -w "$work/seeds.txt" 2>/dev/null)
gone=$($wine winepath -w "$work/gone.txt" 2>/dev/null)
python3 - "$work/notes.tavik" "$seeds" "$gone" <<'PY'
import sys
path, seeds, gone = sys.argv[1:4]
text = ("Tavik 10\r\n"
        "\u00a4Aciku\r\nshort\r\n{{\r\n}}\r\n"
        "\u00a4Aciku_wolves\r\ngrey ones\r\n{{\r\n}}\r\n"
        "\u00a4Garden\r\n[seeds] are listed\r\n[gone] is not there\r\n{{\r\n"
        "[seeds:file:" + seeds + "]\r\n[gone:file:" + gone + "]\r\n}}\r\n")
open(path, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
PY

previews_have() { $wine "$probe" "Tavik - " previews 2>/dev/null | tr -d '\r' | grep -qF -- "$1"; }
selection_is() { [ "$($wine "$probe" "Tavik - " selection 2>/dev/null | tr -d '\r')" = "$1" ]; }
text_is() { [ "$($wine "$probe" "Tavik - " text 2>/dev/null | tr -d '\r')" = "$1" ]; }
box_holds() { text_is "$1" && selection_is "$2"; }
# The pointer onto the caret's line, $1 pixels right of the caret.
point_after_caret() {
  local x y h
  read -r x y h < <($wine "$probe" "Tavik - " caret | tr -d '\r')
  [ -n "${h:-}" ] || fail "no caret found"
  xdotool mousemove $((x + $1)) $((y + h / 2))
}

$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

# 1. "aciku w" completes to the second title; Backspace takes the "w" and the
# completion away, and "aciku " completes again to the same title.
press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
xdotool type --delay 20 "aciku w"
poll 100 box_holds "aciku wolves" "7 12" || fail "the title did not complete: $($wine "$probe" "Tavik - " text)"
xdotool key BackSpace
poll 100 box_holds "aciku wolves" "6 12" \
  || fail "Backspace did not take one typed character: $($wine "$probe" "Tavik - " text) $($wine "$probe" "Tavik - " selection)"
import -window root "$work/quick-backspace.png" 2>/dev/null || true
xdotool key BackSpace
poll 100 box_holds "aciku" "5 5" || fail "a second Backspace did not leave the shorter title: $($wine "$probe" "Tavik - " text)"

# 2. The note Garden: the pointer resting on the file link previews the file.
# Left empties the box.
press_until Left text_is "" || fail "Left did not empty QuickSearch"
xdotool type --delay 20 "garden"
press_until Return focus_is "Tavik - " RichEdit20W || fail "the editor did not take the focus"
wait_window '^Tavik - Garden$' >/dev/null || fail "QuickSearch did not show the note"
xdotool key ctrl+Home
poll 100 selection_is "0 0" || fail "the caret did not go to the start"
point_after_caret 12
poll 100 previews_have "Seeds to buy in spring" \
  || fail "resting on the file link previewed nothing: $($wine "$probe" "Tavik - " previews)"
import -window root "$work/file-preview.png" 2>/dev/null || true

# 3. Then on the link to a missing file: the first file's text goes.
xdotool mousemove 5 5
xdotool key Down Home
second_line() { selection_is "$1"; }
caret_on_second_line() { local s; s=$($wine "$probe" "Tavik - " selection | tr -d '\r'); [ "${s%% *}" -gt 10 ]; }
poll 100 caret_on_second_line || fail "the caret did not reach the second line"
point_after_caret 12
no_file_text() { ! previews_have "Seeds to buy in spring"; }
poll 100 no_file_text || fail "the first file's text stayed beside the missing file's message"
import -window root "$work/missing-preview.png" 2>/dev/null || true

# 4. Alt+Left in QuickSearch goes back to the note before; what is typed next
# is a title in the box (Alt let go opens no window menu that takes the keys).
xdotool mousemove 5 5
press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
xdotool keydown alt key Left keyup alt
wait_window '^Tavik - Aciku$' >/dev/null || fail "Alt+Left did not go back to the note before"
xdotool type --delay 20 "aciku w"
poll 100 text_is "aciku wolves" || fail "typing after Alt+Left did not reach QuickSearch: $($wine "$probe" "Tavik - " text)"
import -window root "$work/alt-left.png" 2>/dev/null || true

xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
echo "1 passed, 0 failed"
