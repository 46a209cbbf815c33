#!/bin/bash
# The browser capture on a virtual display: the local web server, the test
# browser showing a tall page with its address, then the capture test program.
# Usage: capture_browser_test.sh <build-dir> <source-dir>
set -euo pipefail
build=$(cd "$1" && pwd); src=$(cd "$2" && pwd)
. "$build/test-env.sh"  # $wine runs a program of this build, named ...$exe

. "$src/tests/shell/e2e_common.sh"
. "$src/tests/search/capture/test_browser.sh"
start_e2e_session capture-browser 250 299

start_capture_server
rows=2000
start_test_browser $rows

# Through the run script, which passes only on the program's full summary.
TAVIK_TEST_PORT=$port TAVIK_BROWSER_ROWS=$rows TAVIK_BROWSER_READY="$work/ready" TAVIK_GTEST_SUMMARY=1 \
  "$build/wine-run.sh" "$build/tests/search/capture/test_capture_browser.exe" </dev/null
