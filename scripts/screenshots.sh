#!/bin/bash
# Photographs the program's screens and note dialogs on a virtual display into
# docs/screens/: each top-level window is grabbed by itself (an owned window
# over its owner comes out black in a grab of the whole display).
# Usage: scripts/screenshots.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
wine=/usr/lib/wine/wine64
program="$build/shell/tavik.exe.so"
probe="$build/tests/shell/screen_probe.exe.so"
out="$here/docs/screens"
work="$build/screenshots"
rm -rf "$work"; mkdir -p "$work" "$out"
. "$here/scripts/shots_session.sh"
start_shots_session 250 299

# Waits for the program's window of a class; prints its X window.
wait_class() {
  local rect id
  for _ in $(seq 100); do
    rect=$($wine "$probe" "Tavik - " rect "$1" 2>/dev/null | tr -d '\r' || true)
    if [ -n "$rect" ]; then id=$(x_window_at "$rect" || true); [ -n "$id" ] && { echo "$id"; return 0; }; fi
    sleep 0.1
  done
  return 1
}
gone_class() { ! $wine "$probe" "Tavik - " rect "$1" >/dev/null 2>&1; }
shoot() {
  local id=$1 name=$2
  sleep 0.6  # the screen's fade and first credits have run
  import -window "$id" "$out/$name.png"
  echo "docs/screens/$name.png"
}

cp "$here/resources/examples.tavik" "$work/notes.tavik"
# A few pictures for the image browser.
mkdir -p "$work/images"
for picture in "Sunset_2011_05231020 orange-purple 480x320" "Harbour_2011_06011200 skyblue-navy 400x300" \
               "Meadow_2012_04101530 yellowgreen-darkgreen 320x400" "Snow_2013_01051000 white-lightsteelblue 500x280" \
               "Dunes_2014_07201845 khaki-sienna 360x360"; do
  set -- $picture
  convert -size "$3" "gradient:$2" "$work/images/$1.png"
done
$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" </dev/null >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 200); do xdotool search --onlyvisible --name '^Tavik - ' >/dev/null 2>&1 && break; sleep 0.1; done
frame=$(xdotool search --onlyvisible --name '^Tavik - ' | head -1)
import -window "$frame" "$out/frame.png"
# Every ribbon tab, clicked in the tab strip, then Home again.
for tab in "87 file" "143 options" "199 help"; do
  set -- $tab
  xdotool mousemove --window "$frame" "$1" 37 click 1 2>/dev/null || true
  sleep 0.5
  import -window "$frame" "$out/frame-$2.png"
done
xdotool mousemove --window "$frame" 37 37 click 1 2>/dev/null || true
sleep 0.3

# Escape until the program's window of a class has gone.
close_with_escape() {
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$1" 2>/dev/null || true
    xdotool key Escape 2>/dev/null || true
    for _ in $(seq 20); do gone_class "$2" && return 0; sleep 0.1; done
  done
  return 1
}

for screen in "6 about" "11 file-panel" "21 favourites" "14 shortcuts" "24 sync-settings" "19 first-start" "5 welcome" \
              "20 tip-of-the-day" "12 getting-started"; do
  set -- $screen
  $wine "$probe" "Tavik - " show "$1"
  id=$(wait_class winGuide_) || { echo "screen $2 did not show" >&2; exit 1; }
  shoot "$id" "$2"
  if [ "$2" = shortcuts ]; then
    # The two fullest tabs: the last one, and Search above it.
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Down Down Down Down Down; shoot "$id" shortcuts-other
    xdotool key Up; shoot "$id" shortcuts-search
  fi
  if [ "$2" = sync-settings ]; then
    # The Sync page with its folder field and browse button.
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Down Down; shoot "$id" sync-settings-sync
  fi
  if [ "$2" = tip-of-the-day ]; then
    # A second tip: the next one.
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key Right; shoot "$id" tip-of-the-day-next
  fi
  if [ "$2" = getting-started ]; then
    # Pages with a drawing and with screenshots: the overview, the four areas
    # of the window, QuickSearch, the second auto-linking page, the three keys.
    xdotool windowfocus "$id" 2>/dev/null || true
    xdotool key space; sleep 1; shoot "$id" getting-started-page2
    for _ in $(seq 13); do xdotool key space; done; sleep 1; shoot "$id" getting-started-page15
    for _ in $(seq 2); do xdotool key space; done; sleep 1; shoot "$id" getting-started-page17
    for _ in $(seq 5); do xdotool key space; done; sleep 1; shoot "$id" getting-started-page22
    for _ in $(seq 7); do xdotool key space; done; sleep 1; shoot "$id" getting-started-page29
  fi
  close_with_escape "$id" winBuffer_ || { echo "screen $2 did not close" >&2; exit 1; }
done

# The image browser: its grid, and one picture large.
$wine "$probe" "Tavik - " show 22
id=$(wait_class winGuide_) || { echo "the image browser did not show" >&2; exit 1; }
shoot "$id" image-browser
xdotool windowfocus "$id" 2>/dev/null || true
xdotool key Right; shoot "$id" image-browser-hover
xdotool key Return; shoot "$id" image-browser-single
# Escape leaves the single view, then closes.
close_with_escape "$id" winBuffer_ || { echo "the image browser did not close" >&2; exit 1; }

# The paste screen over a picture a helper puts on the clipboard.
picture="$build/tests/shell/clipboard_picture.exe.so"
$wine "$picture" "$($wine winepath -w "$work/ready" 2>/dev/null)" "$($wine winepath -w "$work/stop" 2>/dev/null)" \
  </dev/null >"$work/helper.log" 2>&1 &
for _ in $(seq 200); do [ -e "$work/ready" ] && break; sleep 0.1; done
$wine "$probe" "Tavik - " show 17
id=$(wait_class winGuide_) || { echo "the paste screen did not show" >&2; exit 1; }
shoot "$id" paste-image
# A refused name: the status with its picture.
xdotool windowfocus "$id" 2>/dev/null || true
xdotool type "sea-side"; xdotool key Return; shoot "$id" paste-image-status
touch "$work/stop"
close_with_escape "$id" winBuffer_ || { echo "the paste screen did not close" >&2; exit 1; }

# The note dialogs (template 217, class #32770): new note and rename.
for dialog in "40110 new-note" "40111 rename-note"; do
  set -- $dialog
  $wine "$probe" "Tavik - " command "$1"
  id=$(wait_class '#32770') || { echo "dialog $2 did not show" >&2; exit 1; }
  shoot "$id" "$2"
  close_with_escape "$id" '#32770' || { echo "dialog $2 did not close" >&2; exit 1; }
  for _ in $(seq 50); do gone_class winBuffer_ && break; sleep 0.1; done
done
