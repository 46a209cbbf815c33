# Sourced by the capture tests on a virtual display, after e2e_common.sh and
# with $build, $src, $work and $wine set: the local web server and the
# project's own test browser, both ended with the test.
server=""; browser=""
trap '[ -n "$browser" ] && kill "$browser" 2>/dev/null; [ -n "$server" ] && kill "$server" 2>/dev/null; cleanup' EXIT
exists_nonempty() { [ -s "$1" ]; }

# Starts the capture test's web server; sets $port.
start_capture_server() {
  python3 "$src/tests/search/capture/capture_server.py" "$work/port" &
  server=$!
  poll 100 exists_nonempty "$work/port" || fail "the web server did not start"
  port=$(cat "$work/port")
}

# start_test_browser ROWS [LEFT TOP]: the browser showing the server's article
# as a page of ROWS rows; its window handle is in $work/ready once it shows.
start_test_browser() {
  local rows=$1; shift
  $wine "$build/tests/search/capture/firefox_page$exe" "http://127.0.0.1:$port/article.html" "$rows" \
    "$work/ready" "$@" </dev/null >"$work/browser.log" 2>&1 &
  browser=$!
  poll 200 exists_nonempty "$work/ready" || fail "the test browser did not show"
}
