#!/bin/bash
# The browser capture on a virtual display: the local web server, the test
# browser showing a tall page with its address, then the capture test program.
# Usage: capture_browser_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
wine=/usr/lib/wine/wine64
work="$build/capture-browser"
rm -rf "$work"; mkdir -p "$work"
export WINEPREFIX="$build/wineprefix-e2e" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

server=""; browser=""
. "$src/tests/shell/e2e_common.sh"
trap '[ -n "$browser" ] && kill "$browser" 2>/dev/null; [ -n "$server" ] && kill "$server" 2>/dev/null; cleanup' EXIT
. "$src/scripts/xvfb.sh"
start_xvfb 250 299
"$src/scripts/wineprefix.sh" "$WINEPREFIX" x11

exists_nonempty() { [ -s "$1" ]; }
python3 "$src/tests/search/capture/capture_server.py" "$work/port" &
server=$!
poll 100 exists_nonempty "$work/port" || fail "the web server did not start"
port=$(cat "$work/port")

rows=2000
$wine "$build/tests/search/capture/firefox_page.exe.so" "http://127.0.0.1:$port/article.html" $rows \
  "$work/ready" </dev/null >"$work/browser.log" 2>&1 &
browser=$!
poll 200 exists_nonempty "$work/ready" || fail "the test browser did not show"

TAVIK_TEST_PORT=$port TAVIK_BROWSER_ROWS=$rows TAVIK_BROWSER_READY="$work/ready" \
  $wine "$build/tests/search/capture/test_capture_browser.exe.so" </dev/null
