#!/bin/bash
# Runs the tests of a native Windows build under Wine (64-bit with wine64,
# 32-bit with wine32): each GoogleTest program once, its tests in shuffled
# order, passing only on a summary with every test passed.
# Usage: scripts/test-windows.sh win32|win64 [ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?win32 or win64}; shift
build="$here/build-$kind"
"$here/scripts/build-windows.sh" "$kind"
"$here/scripts/wineprefix.sh" "$build/wineprefix" null
cd "$build"
status=0
TAVIK_GTEST_SUMMARY=1 GTEST_SHUFFLE=1 ctest --output-on-failure -j"${TAVIK_JOBS:-3}" --timeout 600 "$@" || status=$?
WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
exit $status
