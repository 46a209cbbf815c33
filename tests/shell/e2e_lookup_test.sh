#!/bin/bash
# Word look-up from outside, as a user does it, on a virtual display: the
# program started with "lang:de" and its registry value naming a translation
# service on 127.0.0.1, a word typed into QuickSearch and looked up with
# Alt+W; the preview pane must show the word's dictionary entry with its
# German translation (the screenshot is kept as lookup.png).
# Every wait polls for the state it needs, with a bound.
# Usage: e2e_lookup_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe
program="$build/shell/tavik$exe"
focus_probe="$build/tests/shell/focus_probe$exe"
screen_probe="$build/tests/shell/screen_probe$exe"

. "$src/tests/shell/e2e_common.sh"

start_e2e_session e2e-lookup 400 449 wineprefix-e2e-lookup

# The translation service (it stops by itself should this script be killed).
python3 "$src/tests/search/lookup/translate_server.py" "$work/port" </dev/null >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; cleanup' EXIT
exists() { [ -s "$1" ]; }
poll 100 exists "$work/port" || fail "the translation service did not start"
$wine reg add 'HKCU\Software\Orvanta\Tavik' /v TranslationService /d "http://127.0.0.1:$(cat "$work/port")" /f \
  </dev/null >/dev/null 2>&1

focus_is() { [ "$($wine "$focus_probe" "Tavik - " 2>/dev/null | tr -d '\r')" = "$1" ]; }
focus_text_is() { [ "$($wine "$focus_probe" "Tavik - " text 2>/dev/null | tr -d '\r')" = "$1" ]; }
pane_holds() { $wine "$screen_probe" "Tavik - " texts RichEdit20W 2>/dev/null | tr -d '\r' | grep -qF -- "$1"; }

cp "$src/resources/examples.tavik" "$work/notes.tavik"
$wine "$program" "$($wine winepath -w "$work/notes.tavik" 2>/dev/null)" lang:de </dev/null >"$work/app.log" 2>&1 &
app=$!
frame=$(wait_window '^Tavik - ') || fail "the frame did not show"
xdotool windowfocus --sync "$frame"

press_until ctrl+l focus_is Edit || fail "QuickSearch did not take the focus"
for _ in 1 2 3; do
  xdotool key ctrl+a BackSpace
  xdotool type --delay 5 "dog"
  poll 30 focus_text_is "dog" && break
done
focus_text_is "dog" || fail "QuickSearch did not take the word"
xdotool keydown alt; xdotool key w; xdotool keyup alt
poll 100 pane_holds "Dictionary: dog" || fail "Alt+W did not show the word's entry"
pane_holds "dog  =>  Hund" || fail "the entry has no translation"
pane_holds "NOUN: dog has 7 senses" || fail "the entry has no dictionary text"
import -window root "$work/lookup.png"
echo "lookup: entry shown, screenshot $work/lookup.png"
