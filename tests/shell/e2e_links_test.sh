#!/bin/bash
# Following links in the running program, as a user would: the pointer
# resting on a note link previews that note beside the editor, and on a
# picture link shows the picture (screenshots of both in the work folder);
# Enter inside a note link shows that note and Alt+Left brings the first one
# back unchanged;
# a right-click on a hyperlink opens the link menu (a screenshot shows it) and
# its "Copy URL" item puts the link's address on the clipboard, read back
# through QuickSearch's box.
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_links_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
probe="$build/tests/shell/focus_probe$exe"

. "$src/tests/shell/e2e_common.sh"
start_e2e_session e2e-links 150 199

line="See Plans now and [site] later."
address="http://127.0.0.1:9/page"
mkdir -p "$work/images"
python3 - "$work/notes.tavik" "$line" "$address" "$work/images/seeds.png" <<'PY'
import struct, sys, zlib
path, line, address, picture = sys.argv[1:5]
text = ("Tavik 10\r\n"
        "\u00a4Garden\r\n" + line + "\r\n{{\r\n[site:" + address + "]\r\n}}\r\n"
        "\u00a4Plans\r\nSeeds and tools. See [seeds]\r\n{{\r\n[seeds:rel:\\images\\seeds.png]\r\n}}\r\n")
open(path, "wb").write(b"\xff\xfe" + text.encode("utf-16-le"))
# A plain red picture, easy to find on a screenshot.
width, height = 240, 160
rows = b"".join(b"\0" + bytes((220, 20, 20)) * width for _ in range(height))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
open(picture, "wb").write(png)
PY

previews_have() { $wine "$probe" "Tavik - " previews 2>/dev/null | tr -d '\r' | grep -qF -- "$1"; }
# The share of the screen in the picture's red, in thousandths.
red_shown() {
  import -window root "$work/screen.png" 2>/dev/null || return 1
  local share
  share=$(convert "$work/screen.png" -fuzz 8% -fill black -opaque white -fill white -opaque "rgb(220,20,20)" \
          -fill black +opaque white \
          -format "%[fx:int(mean*1000)]" info: 2>/dev/null) || return 1
  [ "${share:-0}" -ge "$1" ]
}
# The pointer onto the character before the caret (the caret's line, its middle).
point_before_caret() {
  local x y h
  read -r x y h < <($wine "$probe" "Tavik - " caret | tr -d '\r')
  [ -n "${h:-}" ] || fail "no caret found"
  xdotool mousemove $((x - $1)) $((y + h / 2))
}
menu_is() { [ "$($wine "$probe" "Tavik - " menu 2>/dev/null | tr -d '\r')" = "$1" ]; }

$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

# The note Garden, its editor focused, the caret inside "Plans".
press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
xdotool type --delay 5 "garden"
# Enter shows the note, or moves to the editor when it is shown already.
press_until Return focus_is "Tavik - " RichEdit20W || fail "the editor did not take the focus"
wait_window '^Tavik - Garden$' >/dev/null || fail "QuickSearch did not show the note"
before=$($wine "$probe" "Tavik - " text | tr -d '\r')
[ "$before" = "$line" ] || fail "the note does not hold its text: $before"
xdotool key ctrl+Home Right Right Right Right Right Right
caret_in_plans() { [ "$($wine "$probe" "Tavik - " selection | tr -d '\r')" = "6 6" ]; }
poll 100 caret_in_plans || fail "the caret did not reach the note link: $($wine "$probe" "Tavik - " selection)"
# The pointer resting on the note link previews that note after its delay.
point_before_caret 3
poll 100 previews_have "Seeds and tools." \
  || fail "hovering the note link previewed nothing: $($wine "$probe" "Tavik - " previews)"
import -window root "$work/note-preview.png" 2>/dev/null || true
xdotool key Return
wait_window '^Tavik - Plans$' >/dev/null || fail "Enter inside the note link did not show the note"
poll 100 focus_text_has "Tavik - " "Seeds and tools." || fail "the linked note's text is not in the editor"
# The pointer resting on the picture link shows the picture beside the editor
# (the red of the picture covers at least 1 % of the screen).
red_shown 10 && fail "the picture shows before its link is hovered"
xdotool key ctrl+End Left
link_selected_in_plans() { [ "$($wine "$probe" "Tavik - " selection | tr -d '\r')" = "21 28" ]; }
poll 100 link_selected_in_plans || fail "the arrow key did not select the picture link: $($wine "$probe" "Tavik - " selection)"
point_before_caret 12
poll 100 red_shown 10 || fail "hovering the picture link did not show the picture"
cp "$work/screen.png" "$work/picture-preview.png"
xdotool mousemove 5 5
# Alt held while Left is pressed (a second Back at the first note does nothing).
back_shown() { [ "$(xdotool getwindowname "$frame")" = "Tavik - Garden" ]; }
for _ in 1 2 3; do
  xdotool keydown alt key Left keyup alt
  poll 30 back_shown && break
done
back_shown || fail "Back did not bring the first note back"
same_text() { [ "$($wine "$probe" "Tavik - " text | tr -d '\r')" = "$line" ]; }
poll 100 same_text || fail "the first note changed: $($wine "$probe" "Tavik - " text)"

# Right-click on the hyperlink, found on the screen through the caret: an
# arrow key into a hyperlink selects it and leaves the caret after its "]";
# the pointer goes onto the label before it.
xdotool key ctrl+Home
for _ in $(seq 20); do xdotool key Right; done
# The caret is read only once the editor has taken every key: the link
# "[site]" (characters 18 to 24) was stepped over whole: the caret stands
# after the blank behind it.
link_selected() { [ "$($wine "$probe" "Tavik - " selection | tr -d '\r')" = "25 25" ]; }
poll 100 link_selected || fail "the arrow keys did not step over the hyperlink: $($wine "$probe" "Tavik - " selection)"
point_before_caret 12
xdotool click 3
poll 100 menu_is open || fail "the right-click menu did not open"
import -window root "$work/link-menu.png" 2>/dev/null || true
# From the bottom: "Edit Hyperlink", then "Copy URL".
xdotool key Up Up Return
poll 100 menu_is none || fail "the menu did not close"
# Read back through QuickSearch's box, a plain edit control: pasted into a
# note, an address opens the hyperlink dialog instead.
press_until ctrl+l focus_is "Tavik - " Edit || fail "QuickSearch did not take the focus"
xdotool key ctrl+v
poll 100 focus_text_has "Tavik - " "$address" \
  || fail "Copy URL did not put the address on the clipboard: $($wine "$probe" "Tavik - " text)"
xdotool key ctrl+a BackSpace Escape
xdotool windowfocus --sync "$frame"
xdotool key alt+F4
poll 150 has_ended "$app" || fail "the program did not close on Alt+F4"
app=""
echo "1 passed, 0 failed"
