#!/bin/bash
# Makes the getting started guide's screenshots from the real program on a
# virtual display: the whole window (the four areas), QuickSearch completing
# a title and holding a word that is no title, the full-text results, the
# incremental search, a contact note, a note in which other notes' titles
# became links, the AutoLinks list, previews of linked notes, a hyperlink
# label and the Help tab. Stores them as small JPEG/PNG resources in
# resources/ (run it again after the window changes; the drawn pictures come
# from resources/make_guide_drawings.sh).
# Usage: scripts/guide_pictures.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
wine=/usr/lib/wine/wine64
program="$build/shell/tavik.exe.so"
work="$build/guide-pictures"
res="$here/resources"
rm -rf "$work"; mkdir -p "$work"
. "$here/scripts/shots_session.sh"
start_shots_session 300 349

# A data file whose first note mentions contact notes by their titles.
python3 -c "
import sys
sys.path.insert(0, '$res')
import make_datafiles as m
notes = [
    ('A_week_of_calls', ['# A week of calls', 'Call Anna Berg, Monday, about the Kitchen renovation.',
                         'Ask Tom Lind for a quote.'], []),
    ('101_ideas_for_the_garden', ['# 101 ideas for the garden', '1. A herb spiral', '2. A rain barrel'], []),
    ('Anna_Berg', ['# Anna Berg', 'Phone: 555 0142', 'Birthday: 12 May', 'Likes red wine'], []),
    ('Kitchen_renovation', ['# Kitchen renovation', '1. Measure the room', '2. Ask Tom Lind for a quote',
                            'Plans: [Floor plan]'], [('Floor plan', 'https://example.com/floor-plan.pdf')]),
    ('Tom_Lind', ['# Tom Lind', 'Electrician', 'Phone: 555 0199'], []),
]
notes.sort(key=lambda n: n[0].lower())  # the data file keeps its notes in title order
text = 'Tavik 10' + m.CRLF + ''.join(m.note_text(*n) for n in notes)
open('$work/guide.tavik', 'wb').write(b'\xff\xfe' + text.encode('utf-16-le'))
"
$wine "$program" "$($wine winepath -w "$work/guide.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 200); do xdotool search --onlyvisible --name '^Tavik - ' >/dev/null 2>&1 && break; sleep 0.1; done
frame=$(xdotool search --onlyvisible --name '^Tavik - ' | head -1)
sleep 1.5  # the links are marked and the start-up timer has run
geometry=$(xwininfo -id "$frame" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}')
# From the whole display: a grab of the frame alone leaves out the editor's
# own window and the pop-ups.
shot() { sleep "${2:-0.8}"; import -window root -crop "$geometry" +repage "$work/$1.png"; }
# In the editor at the end of the note (the caret line's highlight is on the last line).
into_editor() { xdotool mousemove --window "$frame" 300 200 click 1; sleep 0.5; xdotool key ctrl+End; }
# Opens a note by its title through QuickSearch and moves into the editor.
quick_search() { xdotool key ctrl+l; sleep 0.3; xdotool key End; xdotool key --delay 20 --repeat 40 BackSpace; xdotool type --delay 60 "$1"; }
open_note() { quick_search "$1"; sleep 0.3; xdotool key Return; sleep 0.8; }

xdotool windowfocus --sync "$frame" 2>/dev/null || true
# The whole window with its list of notes.
into_editor; xdotool mousemove --window "$frame" 940 660; shot window
open_note "a week of calls"
into_editor
xdotool mousemove --window "$frame" 940 660
shot frame
# The mouse over two of its links: each linked note previewed.
xdotool mousemove --window "$frame" 320 160; shot preview-anna 2
xdotool mousemove --window "$frame" 540 160; shot preview-kitchen 2
xdotool mousemove --window "$frame" 940 660
# The incremental search.
into_editor; xdotool key ctrl+f; sleep 0.3; xdotool type --delay 60 "call"; shot find
xdotool key Escape; sleep 0.3
# The AutoLinks list for the first letters of a title.
into_editor; xdotool key Return; xdotool type --delay 40 "Send the plan to ki"; xdotool key ctrl+space; shot autolinks
xdotool key Escape; sleep 0.3; xdotool key ctrl+z ctrl+z; sleep 0.3
# QuickSearch completing "1", then holding a word that is no title, then
# the full-text results for it.
quick_search "1"; shot quicksearch
quick_search "quote"; shot unknown
xdotool key Return; shot results 1.5
xdotool key Escape; sleep 0.5; xdotool key Escape; sleep 0.5
# A contact note, and a note with a hyperlink label.
open_note "anna berg"; shot contact
open_note "kitchen renovation"; shot hyperlink
# The Help tab with its Learning group.
xdotool mousemove --window "$frame" 199 37 click 1; xdotool mousemove --window "$frame" 940 660; shot helptab

# Pieces of the shots, about 1:1, at most 230 pixels wide (the guide's
# picture column). crop SHOT WxH+X+Y ... -> the pieces stacked, in $work/NAME.
piece() {
  local name=$1 shot=$2; shift 2
  local parts=()
  for area in "$@"; do parts+=("(" "$work/$shot.png" -crop "$area" +repage ")"); done
  convert "${parts[@]}" -background white -splice 0x0 -append -resize '230x>' -define png:exclude-chunks=date,time "$work/$name"
}
piece window.png window 960x680+0+0
# The four areas numbered as the page lists them: ribbon, QuickSearch, list, editor.
marks=()
for mark in "150 18 1" "40 32 2" "40 70 3" "150 90 4"; do
  set -- $mark
  marks+=(-fill '#C0392B' -draw "circle $1,$2 $(($1 + 8)),$2" -fill white -annotate "+$(($1 - 4))+$(($2 + 5))" "$3")
done
convert "$work/window.png" -resize 230x -font DejaVu-Sans-Bold -pointsize 12 -stroke none "${marks[@]}" \
  -quality 85 "$res/guide_window.jpg"
piece q.png quicksearch 258x120+4+118; cp "$work/q.png" "$res/guide_quicksearch.png"
piece u.png unknown 258x34+4+118 258x60+4+484; cp "$work/u.png" "$res/guide_unknown.png"
piece r.png results 400x200+266+116; cp "$work/r.png" "$res/guide_results.png"
piece c.png contact 258x90+271+124; cp "$work/c.png" "$res/guide_contact.png"
piece a.png frame 300x60+271+124; cp "$work/a.png" "$res/guide_autolink.png"
piece l.png autolinks 330x120+271+124; cp "$work/l.png" "$res/guide_autolinks.png"
piece f.png find 330x80+271+116; cp "$work/f.png" "$res/guide_find_text.png"
piece p1.png preview-anna 330x36+271+150 258x90+4+150; cp "$work/p1.png" "$res/guide_preview_contact.png"
piece p2.png preview-kitchen 330x36+271+150 258x90+4+150; cp "$work/p2.png" "$res/guide_preview.png"
piece h.png hyperlink 258x80+271+124; cp "$work/h.png" "$res/guide_hyperlink.png"
piece t.png helptab 420x96+0+28; cp "$work/t.png" "$res/guide_help_tab.png"
identify "$res"/guide_*.png "$res/guide_window.jpg"
