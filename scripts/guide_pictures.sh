#!/bin/bash
# Makes the getting started guide's pictures from the real program on a
# virtual display: the whole window (the four areas) and a note in which
# another note's title became a link. Stores them as small JPEG resources in
# resources/ (run it again after the window changes).
# Usage: scripts/guide_pictures.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
wine=/usr/lib/wine/wine64
program="$build/shell/tavik.exe.so"
work="$build/guide-pictures"
rm -rf "$work"; mkdir -p "$work"
. "$here/scripts/shots_session.sh"
start_shots_session 300 349

# A data file whose first note mentions a contact note by its title.
python3 -c "
import sys
sys.path.insert(0, '$here/resources')
import make_datafiles as m
notes = [
    ('A_week_of_calls', ['# A week of calls', 'Call Anna Berg, Monday, about the Kitchen renovation.',
                         'Ask Tom Lind for a quote.'], []),
    ('Anna_Berg', ['# Anna Berg', 'Phone: 555 0142'], []),
    ('Kitchen_renovation', ['# Kitchen renovation', '1. Measure the room'], []),
    ('Tom_Lind', ['# Tom Lind', 'Electrician'], []),
]
text = 'Tavik 10' + m.CRLF + ''.join(m.note_text(*n) for n in notes)
open('$work/guide.tavik', 'wb').write(b'\xff\xfe' + text.encode('utf-16-le'))
"
$wine "$program" "$($wine winepath -w "$work/guide.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 200); do xdotool search --onlyvisible --name '^Tavik - A week of calls' >/dev/null 2>&1 && break; sleep 0.1; done
frame=$(xdotool search --onlyvisible --name '^Tavik - A week of calls' | head -1)
sleep 1.5  # the links are marked and the start-up timer has run
# Into the note at its end (the caret line's highlight is on the last line).
xdotool windowfocus --sync "$frame" 2>/dev/null || true
xdotool mousemove --window "$frame" 300 200 click 1
sleep 0.5
# The note is drawn once it changes: a blank typed and taken back.
xdotool key space BackSpace
xdotool mousemove --window "$frame" 940 660
sleep 0.8
# From the whole display: a grab of the frame alone leaves out the editor's own window.
geometry=$(xwininfo -id "$frame" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
import -window root -crop "$geometry" +repage "$work/frame.png"
# The whole window, and the editor's top left where the note's links are.
convert "$work/frame.png" -resize 230x -quality 80 "$here/resources/guide_window.jpg"
width=$(identify -format "%w" "$work/frame.png"); height=$(identify -format "%h" "$work/frame.png")
convert "$work/frame.png" -crop "$((width * 44 / 100))x$((height * 12 / 100))+$((width * 28 / 100))+$((height * 18 / 100))" \
  +repage -resize 230x -quality 85 "$here/resources/guide_autolink.jpg"
ls -la "$here/resources/guide_window.jpg" "$here/resources/guide_autolink.jpg"
